# The page-layout dialog of printing: plain framework controls, no pictures of its own.
target_sources(zel_dialogs PRIVATE src/page_layout_dlg.cpp)

zel_add_gtest(page_layout_dialog_tests
    SOURCES tests/page_layout_dlg_test.cpp
    LIBS zel_dialogs zel_platform_testing)
