# Builds the resource tree of the chart pages: the pages are generated from
# the shared skeleton, ECharts comes from node_modules (installed by `npm ci`)
# or KZCHART_ECHARTS_DIR, and rcc compiles the lot into the library. rcc's generated code registers the
# tree when the library is loaded and unregisters it when it is unloaded.

# A distribution builder without network access points KZCHART_ECHARTS_DIR at
# an ECharts of the same release unpacked elsewhere. The pages are written
# against this exact release, so any other version is refused.
set(kz_echarts_default_dir "${PROJECT_SOURCE_DIR}/node_modules/echarts")
set(KZCHART_ECHARTS_DIR "${kz_echarts_default_dir}" CACHE PATH
    "ECharts 4.2.0-rc.1 directory (holding package.json, dist/ and theme/)")
set(kz_echarts_version "4.2.0-rc.1")
# The script and theme compiled into the library, relative to that directory:
# the minified build of the release, a quarter of the size, so that a chart
# page is ready sooner for not parsing the rest.
set(kz_echarts_script dist/echarts.min.js)
set(kz_echarts_theme theme/macarons.js)

if(KZCHART_ECHARTS_DIR STREQUAL kz_echarts_default_dir)
    set(kz_echarts_hint "Run `npm ci` in ${PROJECT_SOURCE_DIR} first "
                        "(scripts/setup.sh does it along with the system packages), "
                        "or point KZCHART_ECHARTS_DIR at an unpacked ECharts ${kz_echarts_version}.")
else()
    set(kz_echarts_hint "Point KZCHART_ECHARTS_DIR at an unpacked ECharts ${kz_echarts_version} "
                        "(the npm package echarts@${kz_echarts_version}).")
endif()
set(kz_echarts_found "")
if(EXISTS "${KZCHART_ECHARTS_DIR}/package.json")
    file(READ "${KZCHART_ECHARTS_DIR}/package.json" kz_echarts_manifest)
    if(kz_echarts_manifest MATCHES "\"version\"[ \t\r\n]*:[ \t\r\n]*\"([^\"]*)\"")
        set(kz_echarts_found "${CMAKE_MATCH_1}")
    endif()
endif()
if(NOT kz_echarts_found STREQUAL kz_echarts_version)
    if(kz_echarts_found STREQUAL "")
        set(kz_echarts_problem "ECharts is missing: no ${KZCHART_ECHARTS_DIR}/package.json with a version.")
    else()
        set(kz_echarts_problem "${KZCHART_ECHARTS_DIR} holds ECharts ${kz_echarts_found}, "
                               "but the chart pages need exactly ${kz_echarts_version}.")
    endif()
    message(FATAL_ERROR ${kz_echarts_problem} "\n" ${kz_echarts_hint})
endif()
foreach(file ${kz_echarts_script} ${kz_echarts_theme})
    if(NOT EXISTS "${KZCHART_ECHARTS_DIR}/${file}")
        message(FATAL_ERROR "ECharts ${kz_echarts_version} in ${KZCHART_ECHARTS_DIR} lacks ${file}.\n"
                            ${kz_echarts_hint})
    endif()
endforeach()
set(ECHARTS_SCRIPT_FILE "${KZCHART_ECHARTS_DIR}/${kz_echarts_script}")
set(ECHARTS_THEME_FILE "${KZCHART_ECHARTS_DIR}/${kz_echarts_theme}")

function(kz_add_chart_resources target)
    set(page_dir "${PROJECT_SOURCE_DIR}/ECharts/Resources/ECharts")
    set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/ECharts/Resources/ECharts")
    set(entries "")
    foreach(page IN LISTS ARGN)
        set(source "${page_dir}/${page}.page.js")
        set(output "${out_dir}/${page}.html")
        add_custom_command(
            OUTPUT "${output}"
            COMMAND "${CMAKE_COMMAND}"
                    "-DTEMPLATE=${page_dir}/page.html.in"
                    "-DSOURCE=${source}"
                    "-DTOOLBOX=${page_dir}/toolback.js.in"
                    "-DOUTPUT=${output}"
                    -P "${PROJECT_SOURCE_DIR}/cmake/GenerateChartPage.cmake"
            DEPENDS "${source}" "${page_dir}/page.html.in" "${page_dir}/toolback.js.in"
                    "${PROJECT_SOURCE_DIR}/cmake/GenerateChartPage.cmake"
            COMMENT "Generating chart page ${page}.html"
            VERBATIM)
        string(APPEND entries "    <file alias=\"${page}.html\">${output}</file>\n")
    endforeach()
    set(CHART_PAGE_ENTRIES "${entries}")
    set(PAGE_DIR "${page_dir}")
    configure_file("${page_dir}/ECharts.qrc.in" "${out_dir}/ECharts.qrc" @ONLY)
    qt_add_resources(resource_sources "${out_dir}/ECharts.qrc"
                     OPTIONS --no-compress --format-version 2)
    target_sources(${target} PRIVATE ${resource_sources})
endfunction()
