# Builds the resource tree of the chart pages: the pages are generated from
# the shared skeleton, ECharts comes from node_modules (installed by `npm ci`),
# and rcc compiles the lot into the library. rcc's generated code registers the
# tree when the library is loaded and unregisters it when it is unloaded.

set(ECHARTS_DIR "${PROJECT_SOURCE_DIR}/node_modules/echarts")
foreach(file dist/echarts.min.js theme/macarons.js)
    if(NOT EXISTS "${ECHARTS_DIR}/${file}")
        message(FATAL_ERROR
            "ECharts is missing (${ECHARTS_DIR}/${file}).\n"
            "Run `npm ci` in ${PROJECT_SOURCE_DIR} first "
            "(scripts/setup.sh does it along with the system packages).")
    endif()
endforeach()

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
    configure_file("${page_dir}/ECharts.qrc.in" "${out_dir}/ECharts.qrc" @ONLY)
    qt5_add_resources(resource_sources "${out_dir}/ECharts.qrc"
                      OPTIONS --no-compress --format-version 2)
    target_sources(${target} PRIVATE ${resource_sources})
endfunction()
