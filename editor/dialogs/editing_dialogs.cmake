# Make Face, Change Face, Add Body and Add Background: their skins and the pictures that the
# other dialogs share (Done and Cancel, arrows, gender, group bullets). Every picture a button
# shows on its own is drawn at that button's size in pixels and is opaque, without the
# buttons' key colours, so it covers the button whatever lies under it.
target_sources(zel_dialogs PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/src/dialog_pictures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/preview_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/failed_backup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/face_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/face_variants.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/variant_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/compose_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/compose_paths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/editing_templates.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/select_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/change_face_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/add_body_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/src/add_bkgd_dlg.cpp)

set(ZEL_EDITING_BITMAPS
    # shared: Done, Cancel, arrows, gender
    312 313 314 316 317 318 300 306 307 308 309 310
    # Make Face
    343 360
    # Change Face
    322 319 320 321 157 158 159 160 161 162 173 174 175 176 352 353 354 355 358 359 385 386
    # Add Body and Add Background
    364 387 366 367 368 369 370 371 372 373 374 375 376 377)
set(ZEL_EDITING_ICONS 281 282 283 315)
set(editing_art)
foreach(id IN LISTS ZEL_EDITING_BITMAPS)
    list(APPEND editing_art bitmap/${id}.svg)
endforeach()
foreach(id IN LISTS ZEL_EDITING_ICONS)
    list(APPEND editing_art icon/${id}.svg)
endforeach()
zel_add_artwork(zel_dialogs editing_dialogs_art FILES ${editing_art})

if(ZEL_BUILD_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    # Each dialog on a starter face, in use, on a real display (run it under xvfb-run; the
    # screenshot script takes its picture).
    add_executable(editing_dialogs_demo
        ${CMAKE_CURRENT_LIST_DIR}/demo/editing_dialogs_demo.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/editing_test_support.cpp)
    target_link_libraries(editing_dialogs_demo PRIVATE zel_dialogs zel_common
        zel_platform_testing Qt6::Widgets)
    target_include_directories(editing_dialogs_demo PRIVATE ${CMAKE_CURRENT_LIST_DIR}/tests)
    add_dependencies(editing_dialogs_demo starter_faces zel_picture_libraries)
endif()

zel_add_gtest(editing_dialog_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/editing_test_support.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/make_face_dialog_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/change_face_dialog_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/add_body_dialog_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/add_bkgd_dialog_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/editing_artwork_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/dialog_pictures_test.cpp
    LIBS zel_dialogs zel_common zel_platform_testing)
if(TARGET editing_dialog_tests)
    add_dependencies(editing_dialog_tests starter_faces zel_picture_libraries)
endif()
