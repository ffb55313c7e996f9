# Face files (both versions, the cipher, loading and saving), the face builder and the face-edge
# set-up. The face engine's CMakeLists includes this file and adds the lists to zeledit and to
# its test program.

set(_zel_files ${CMAKE_CURRENT_LIST_DIR})

set(ZELEDIT_FILE_SOURCES
    ${_zel_files}/src/file/text_fields.cpp
    ${_zel_files}/src/file/bw_buffer.cpp
    ${_zel_files}/src/file/bw_block.cpp
    ${_zel_files}/src/file/face_file_io.cpp
    ${_zel_files}/src/file/zel2_text.cpp
    ${_zel_files}/src/file/zel1_sections.cpp
    ${_zel_files}/src/file/zel1_text.cpp
    ${_zel_files}/src/file/zel_cipher.cpp
    ${_zel_files}/src/file/work_files.cpp
    ${_zel_files}/src/file/face_commit.cpp
    ${_zel_files}/src/file/face_load.cpp
    ${_zel_files}/src/file/face_save.cpp
    ${_zel_files}/src/builder/face_builder.cpp
    ${_zel_files}/src/builder/face_edge_setup.cpp)

set(ZELEDIT_FILE_TEST_SOURCES
    ${_zel_files}/tests/file_text_fields_test.cpp
    ${_zel_files}/tests/file_bw_block_test.cpp
    ${_zel_files}/tests/file_zel2_test.cpp
    ${_zel_files}/tests/file_zel1_test.cpp
    ${_zel_files}/tests/builder_fixture.cpp
    ${_zel_files}/tests/builder_test.cpp
    ${_zel_files}/tests/face_edge_test.cpp
    ${_zel_files}/tests/file_load_save_test.cpp
    ${_zel_files}/tests/starter_faces_test.cpp)

# The face-file fuzzer (libFuzzer; the fuzz preset builds it with clang). scripts/fuzz.sh runs
# it for a bounded time on the starter faces.
if(ZEL_FUZZ)
    add_executable(face_file_fuzzer ${_zel_files}/fuzz/face_file_fuzzer.cpp)
    target_link_libraries(face_file_fuzzer PRIVATE zeledit_internal)
    target_link_options(face_file_fuzzer PRIVATE -fsanitize=fuzzer)
endif()

# Speed of loading and saving the starter faces (release preset).
if(ZEL_BUILD_BENCH)
    find_package(benchmark REQUIRED)
    zel_add_benchmark(face_files_bench
        SOURCES ${PROJECT_SOURCE_DIR}/bench/face_files/face_files_bench.cpp
        LIBS zeledit_internal zel_common)
endif()
