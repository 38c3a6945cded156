# Builds and runs the consumer against an installed KzChartWidget, through
# find_package and through pkg-config: cmake -DPACKAGE=KzChartWidget -DWORK_DIR=<dir>
#   [-DBUILD_DIR=<library build> -DLIBDIR=lib] [-DPREFIX=/usr] -P run.cmake
# Without PREFIX the library build is first installed into WORK_DIR/prefix.
file(REMOVE_RECURSE "${WORK_DIR}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "Failed (${result}): ${command}")
    endif()
endfunction()

if(NOT PREFIX)
    set(PREFIX "${WORK_DIR}/prefix")
    run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}")
    set(ENV{PKG_CONFIG_PATH} "${PREFIX}/${LIBDIR}/pkgconfig")
endif()

foreach(pkg_config OFF ON)
    set(build "${WORK_DIR}/consumer-pkgconfig-${pkg_config}")
    run("${CMAKE_COMMAND}" -S "${CMAKE_CURRENT_LIST_DIR}" -B "${build}" "-DKZCHART_PACKAGE=${PACKAGE}"
        "-DCMAKE_PREFIX_PATH=${PREFIX}" "-DUSE_PKG_CONFIG=${pkg_config}")
    run("${CMAKE_COMMAND}" --build "${build}")
    run("${build}/consumer")
endforeach()
