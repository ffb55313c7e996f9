# Caricature generation from a photograph: the entry GetCartoon, its checks and box rules,
# segmentation and the face region's line drawing, and the later stages. The face engine's
# CMakeLists includes this file and adds the lists to zeledit and to its test program.

set(_zel_gen ${CMAKE_CURRENT_LIST_DIR})

set(ZELEDIT_GENERATION_SOURCES
    ${_zel_gen}/src/generation/get_cartoon.cpp
    ${_zel_gen}/src/generation/cartoon_checks.cpp
    ${_zel_gen}/src/generation/cartoon_box.cpp
    ${_zel_gen}/src/generation/region_list.cpp
    ${_zel_gen}/src/generation/hsv_ranges.cpp
    ${_zel_gen}/src/generation/block_sample.cpp
    ${_zel_gen}/src/generation/masks.cpp
    ${_zel_gen}/src/generation/face_seg.cpp
    ${_zel_gen}/src/generation/face_segment.cpp
    ${_zel_gen}/src/generation/face_region.cpp
    ${_zel_gen}/src/generation/ink_regions.cpp
    ${_zel_gen}/src/generation/face_rays.cpp
    ${_zel_gen}/src/generation/eyebrow_cut.cpp
    ${_zel_gen}/src/generation/side_trim.cpp)

set(ZELEDIT_GENERATION_TEST_SOURCES
    ${_zel_gen}/tests/portraits.cpp
    ${_zel_gen}/tests/generation_support.cpp
    ${_zel_gen}/tests/generation_entry_test.cpp
    ${_zel_gen}/tests/generation_regions_test.cpp
    ${_zel_gen}/tests/generation_segmentation_test.cpp
    ${_zel_gen}/tests/generation_face_region_test.cpp
    ${_zel_gen}/tests/generation_portrait_test.cpp)
