# The About box, the auxiliary buttons dialog, the advanced edit, part edit and small paint
# dialogs, with the About picture and the small paint picture. The advanced edit dialog wears
# Change Face's skin and the editing dialogs' button pictures.
target_sources(zel_dialogs PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/src/bitmap_stretch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/about_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/aux_buttons_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/adv_edit_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/part_edit_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/small_paint_dlg.cpp)

zel_add_artwork(zel_dialogs small_dialogs_art FILES bitmap/388.svg bitmap/208.svg)

zel_add_gtest(small_dialog_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/editing_test_support.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/about_dlg_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/aux_buttons_dlg_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/adv_edit_dlg_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/part_edit_dlg_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/small_paint_dlg_test.cpp
    LIBS zel_dialogs zel_common zel_platform_testing)
if(TARGET small_dialog_tests)
    add_dependencies(small_dialog_tests starter_faces)
    target_include_directories(small_dialog_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/src)
endif()
