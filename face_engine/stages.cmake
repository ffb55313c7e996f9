# The later stages of caricature generation: landmark search, feature-line search and fuzzy part
# choice. The face engine's CMakeLists includes this file and adds the lists to zeledit and to
# its test program.

set(_zel_stages ${CMAKE_CURRENT_LIST_DIR})

set(ZELEDIT_STAGE_SOURCES
    ${_zel_stages}/src/generation/generation_tables.cpp
    ${_zel_stages}/src/generation/landmark_search.cpp
    ${_zel_stages}/src/generation/landmark_pairs.cpp
    ${_zel_stages}/src/generation/mouth_mirror.cpp
    ${_zel_stages}/src/generation/eye_darkness.cpp
    ${_zel_stages}/src/generation/eye_corners.cpp
    ${_zel_stages}/src/generation/temple_skin.cpp
    ${_zel_stages}/src/generation/face_shape_model.cpp
    ${_zel_stages}/src/generation/landmark_dump.cpp
    ${_zel_stages}/src/generation/feature_line_rules.cpp
    ${_zel_stages}/src/generation/feature_line_strips.cpp
    ${_zel_stages}/src/generation/lip_edge.cpp
    ${_zel_stages}/src/generation/feature_line_search.cpp
    ${_zel_stages}/src/generation/feature_line_dump.cpp
    ${_zel_stages}/src/generation/fuzzy_sets.cpp
    ${_zel_stages}/src/generation/part_choice.cpp)

set(ZELEDIT_STAGE_TEST_SOURCES
    ${_zel_stages}/tests/fake_generation_tables.cpp
    ${_zel_stages}/tests/landmark_search_test.cpp
    ${_zel_stages}/tests/landmark_pairs_test.cpp
    ${_zel_stages}/tests/mouth_mirror_test.cpp
    ${_zel_stages}/tests/eye_darkness_test.cpp
    ${_zel_stages}/tests/eye_corners_test.cpp
    ${_zel_stages}/tests/temple_skin_test.cpp
    ${_zel_stages}/tests/face_shape_model_test.cpp
    ${_zel_stages}/tests/feature_line_test.cpp
    ${_zel_stages}/tests/part_choice_test.cpp
    ${_zel_stages}/tests/cartoon_end_to_end_test.cpp)
