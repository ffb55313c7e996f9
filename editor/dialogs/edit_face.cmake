# Edit Face with its pen choice and text pop-up.
target_sources(zel_dialogs PRIVATE
    src/edit_face_dlg.cpp
    src/edit_face_mouse.cpp
    src/edit_face_view.cpp
    src/edit_face_popup_dlg.cpp
    src/pen_choice_dlg.cpp)

zel_add_artwork(zel_dialogs edit_face_artwork FILES
    bitmap/298.svg
    bitmap/323.svg
    bitmap/324.svg
    icon/336.svg
    cursor/249.svg
    cursor/250.svg)

# The pen pictures are pixel-exact, so a small generator writes them.
add_executable(make_pen_bitmaps tools/make_pen_bitmaps.cpp)
set(zel_pen_folder ${CMAKE_CURRENT_BINARY_DIR}/pen-bitmaps)
set(zel_pen_files)
foreach(id RANGE 256 267)
    list(APPEND zel_pen_files ${zel_pen_folder}/bitmap/${id}.bmp)
endforeach()
add_custom_command(
    OUTPUT ${zel_pen_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zel_pen_folder}/bitmap
    COMMAND make_pen_bitmaps ${zel_pen_folder}/bitmap
    DEPENDS make_pen_bitmaps
    COMMENT "Writing the pen pictures"
    VERBATIM)
qt_add_resources(zel_dialogs pen_bitmaps PREFIX /zel/res BASE ${zel_pen_folder}
    FILES ${zel_pen_files})

zel_add_gtest(edit_face_dialog_tests
    SOURCES
        tests/edit_face_test_support.cpp
        tests/edit_face_dlg_test.cpp
        tests/edit_face_tools_test.cpp
        tests/pen_choice_dlg_test.cpp
    LIBS zel_dialogs zel_platform_testing)
if(TARGET edit_face_dialog_tests)
    target_compile_definitions(edit_face_dialog_tests PRIVATE
        ZEL_PEN_FOLDER="${zel_pen_folder}/bitmap")
endif()
