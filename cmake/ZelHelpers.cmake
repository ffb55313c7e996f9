# Small helpers so that leaf CMakeLists stay a few lines.

include(GenerateExportHeader)

# zel_add_shared_library(<target> MACRO <EXPORT_MACRO> HEADER <zel/x_export.h>
#                        [INSTALL_HEADER <zel/x.h>] SOURCES ...)
# A shared library with hidden default visibility and a generated export header under the
# build tree's include folder, so `#include <zel/x_export.h>` works for users of the target.
# It is versioned and installed with the developer package's targets (cmake/ZelPackage.cmake);
# INSTALL_HEADER names the library's interface header, installed with its export header.
function(zel_add_shared_library target)
    cmake_parse_arguments(ARG "" "MACRO;HEADER;INSTALL_HEADER" "SOURCES" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES})
    set(gen ${CMAKE_CURRENT_BINARY_DIR}/generated_include)
    generate_export_header(${target}
        EXPORT_MACRO_NAME ${ARG_MACRO}
        EXPORT_FILE_NAME ${gen}/${ARG_HEADER})
    target_include_directories(${target}
        PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
               $<BUILD_INTERFACE:${gen}>
        PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
    # Magick++ marks its classes for export and the standard library's templates are weak
    # symbols, so either would otherwise leak into the library's interface.
    set(map ${PROJECT_SOURCE_DIR}/cmake/foreign_symbols.map)
    target_link_options(${target} PRIVATE -Wl,--version-script=${map})
    # The libraries of a tree lie in one folder and find each other there.
    set_target_properties(${target} PROPERTIES
        LINK_DEPENDS ${map}
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}
        INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${target} EXPORT ZelEditorTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
                NAMELINK_COMPONENT Development)
    if(ARG_INSTALL_HEADER)
        target_include_directories(${target}
            INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
        get_filename_component(dir ${ARG_INSTALL_HEADER} DIRECTORY)
        install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/include/${ARG_INSTALL_HEADER} ${gen}/${ARG_HEADER}
                DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir} COMPONENT Development)
    endif()
endfunction()

# zel_add_gtest(<target> SOURCES ... LIBS ...)
# A GoogleTest program whose tests each run in a fresh private work folder (see
# common/testing), registered with CTest one test per case.
function(zel_add_gtest target)
    if(NOT ZEL_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE zel_test_main ${ARG_LIBS})
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZEL_DATA_DIR=${ZEL_DATA_BUILD_DIR}"
                   ${ARG_PROPERTIES})
endfunction()

# zel_add_benchmark(<target> SOURCES ... LIBS ...)
function(zel_add_benchmark target)
    if(NOT ZEL_BUILD_BENCH)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE benchmark::benchmark ${ARG_LIBS})
endfunction()
