# The developer package: the CMake package ZelEditor (imported targets zel::zelImageDLL,
# zel::zeledit and zel::zeledit2) and a pkg-config file for each library, both relocatable with
# the installed tree. And the Debian packages that `cpack -G DEB` makes from a build:
# zel-editor (program, libraries, data, manual, desktop entry, icon) and zel-editor-dev
# (headers, CMake package, pkg-config files, the libraries' link names).
include(CMakePackageConfigHelpers)

set(zel_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/ZelEditor)
install(EXPORT ZelEditorTargets NAMESPACE zel:: DESTINATION ${zel_cmake_dir}
        COMPONENT Development)
configure_package_config_file(cmake/ZelEditorConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/ZelEditorConfig.cmake INSTALL_DESTINATION ${zel_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ZelEditorConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZelEditorConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/ZelEditorConfigVersion.cmake
        DESTINATION ${zel_cmake_dir} COMPONENT Development)

# zel_pkg_config(<library> <description> [<required module>...])
file(RELATIVE_PATH zel_pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" zel_pc_to_prefix "${zel_pc_to_prefix}")
function(zel_pkg_config name description)
    set(ZEL_PC_NAME ${name})
    set(ZEL_PC_DESCRIPTION ${description})
    string(JOIN ", " ZEL_PC_REQUIRES ${ARGN})
    configure_file(${PROJECT_SOURCE_DIR}/cmake/zel-library.pc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/pkgconfig/${name}.pc @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pkgconfig/${name}.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
endfunction()
zel_pkg_config(zelImageDLL "ZEL Editor image library: pixel arrays and picture files")
zel_pkg_config(zeledit "ZEL Editor face engine: face model, face files, caricature generation"
               zelImageDLL)
zel_pkg_config(zeledit2 "ZEL Editor composition: head, body and background" zelImageDLL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zel-editor)
set(CPACK_PACKAGE_VENDOR "ZEL Editor")
set(CPACK_PACKAGE_CONTACT "ZEL Editor developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "Desktop editor for face caricatures
A face is a model of nine parts drawn from a library of part templates: load a face,
rebuild, move, scale, recolour or hide its parts, touch up the drawing, put the head on a body
in front of a background, save it as a face file or a picture, or print it. With the image,
face-engine and composition libraries, their data and the user manual.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME zel-editor)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Not found by shlibdeps: the desktop opener of the manual and links, the printed footer's font.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "xdg-utils, fonts-liberation2")

set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "ZEL Editor libraries: development files
Headers, CMake package (find_package(ZelEditor)) and pkg-config files of the image
(zelImageDLL), face-engine (zeledit) and composition (zeledit2) libraries of ZEL Editor.")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME zel-editor-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)

include(CPack)
