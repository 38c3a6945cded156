# Translations of the library's few user-visible texts. Each
# translations/kzchartwidget_<language>.ts is compiled to a .qm file by the
# build, installed into share/<package>/translations and compiled into the
# library under :/KzChartWidget/translations/, so that an application can load
# it without knowing where the library was installed.
#
# `cmake --build build --target lupdate` brings the .ts files up to date with
# the sources; a normal build only reads them.

find_package(Qt${QT_VERSION_MAJOR} REQUIRED COMPONENTS LinguistTools)

function(kz_add_translations target)
    set(ts_files "")
    foreach(ts IN LISTS ARGN)
        list(APPEND ts_files "${PROJECT_SOURCE_DIR}/translations/${ts}")
    endforeach()
    set(qm_dir "${CMAKE_CURRENT_BINARY_DIR}/translations")
    set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION "${qm_dir}")
    qt_add_translation(qm_files ${ts_files})
    # Qt 6's qt_add_translation() lists every file twice.
    list(REMOVE_DUPLICATES qm_files)

    set(entries "")
    foreach(qm IN LISTS qm_files)
        get_filename_component(name "${qm}" NAME)
        string(APPEND entries "    <file alias=\"${name}\">${qm}</file>\n")
    endforeach()
    file(WRITE "${qm_dir}/translations.qrc.in"
         "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n"
         "<qresource prefix=\"/KzChartWidget/translations\">\n${entries}</qresource>\n</RCC>\n")
    configure_file("${qm_dir}/translations.qrc.in" "${qm_dir}/translations.qrc" COPYONLY)
    qt_add_resources(resource_sources "${qm_dir}/translations.qrc")
    target_sources(${target} PRIVATE ${resource_sources} ${ts_files})

    add_custom_target(lupdate
        COMMAND Qt${QT_VERSION_MAJOR}::lupdate -locations relative
                "${PROJECT_SOURCE_DIR}/include" "${PROJECT_SOURCE_DIR}/host" "${PROJECT_SOURCE_DIR}/charts"
                -ts ${ts_files}
        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
        COMMENT "Updating the translation sources"
        VERBATIM)

    install(FILES ${qm_files}
            DESTINATION "${CMAKE_INSTALL_DATADIR}/${KZCHART_PACKAGE_NAME}/translations"
            COMPONENT Runtime)
endfunction()
