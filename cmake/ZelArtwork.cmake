# zel_add_artwork(<target> <resource-name> FILES <kind>/<id>.svg ...)
#
# Renders the editor's vector artwork with librsvg into the build tree and compiles the
# pictures into <target> as Qt resources at ":/zel/res/<kind>/<id>.png", where the platform
# layer's LoadBitmap, LoadIcon and LoadCursor look them up (kind: bitmap, icon or cursor). The
# paths are relative to the calling folder's art/ folder; each SVG's own width and height set
# the picture's size in pixels.
find_program(ZEL_RSVG_CONVERT rsvg-convert REQUIRED)

function(zel_add_artwork target name)
    cmake_parse_arguments(ARG "" "" "FILES" ${ARGN})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/art-${name})
    set(pictures)
    foreach(svg IN LISTS ARG_FILES)
        string(REGEX REPLACE "\\.svg$" ".png" png ${svg})
        get_filename_component(dir ${out}/${png} DIRECTORY)
        add_custom_command(
            OUTPUT ${out}/${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND ${ZEL_RSVG_CONVERT} --output=${out}/${png}
                    ${CMAKE_CURRENT_SOURCE_DIR}/art/${svg}
            DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/art/${svg}
            COMMENT "Rendering artwork ${svg}"
            VERBATIM)
        list(APPEND pictures ${out}/${png})
    endforeach()
    qt_add_resources(${target} ${name} PREFIX /zel/res BASE ${out} FILES ${pictures})
endfunction()
