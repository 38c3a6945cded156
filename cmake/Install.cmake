# Install rules: the shared library with its SONAME, the public headers in a
# folder of their own, a CMake package and a pkg-config file, all named after
# KZCHART_PACKAGE_NAME so that the Qt 5 and the Qt 6 build can share a prefix.
# The files fall into two components, the run-time library and what building
# against it needs, which the Debian packages follow (cmake/Packaging.cmake).

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(kz_include_dir "${CMAKE_INSTALL_INCLUDEDIR}/${KZCHART_PACKAGE_NAME}")
set(kz_cmake_dir "${CMAKE_INSTALL_LIBDIR}/cmake/${KZCHART_PACKAGE_NAME}")

target_include_directories(KzChartWidget PUBLIC "$<INSTALL_INTERFACE:${kz_include_dir}>")

install(TARGETS KzChartWidget EXPORT KzChartWidgetTargets
    LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
        COMPONENT Runtime
        NAMELINK_COMPONENT Development
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT Runtime
    ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Development)
install(FILES ${KZCHART_PUBLIC_HEADERS}
    DESTINATION "${kz_include_dir}" COMPONENT Development)

install(EXPORT KzChartWidgetTargets
    NAMESPACE ${KZCHART_PACKAGE_NAME}::
    FILE ${KZCHART_PACKAGE_NAME}Targets.cmake
    DESTINATION "${kz_cmake_dir}"
    COMPONENT Development)
configure_package_config_file(cmake/KzChartWidgetConfig.cmake.in
    "${PROJECT_BINARY_DIR}/${KZCHART_PACKAGE_NAME}Config.cmake"
    INSTALL_DESTINATION "${kz_cmake_dir}")
write_basic_package_version_file("${PROJECT_BINARY_DIR}/${KZCHART_PACKAGE_NAME}ConfigVersion.cmake"
    COMPATIBILITY SameMajorVersion)
install(FILES
        "${PROJECT_BINARY_DIR}/${KZCHART_PACKAGE_NAME}Config.cmake"
        "${PROJECT_BINARY_DIR}/${KZCHART_PACKAGE_NAME}ConfigVersion.cmake"
    DESTINATION "${kz_cmake_dir}"
    COMPONENT Development)

# The pkg-config file finds its prefix relative to itself, so an installed
# tree can be moved (or installed with `cmake --install --prefix`).
file(RELATIVE_PATH kz_pc_to_prefix "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" kz_pc_to_prefix "${kz_pc_to_prefix}")
set(KZCHART_PC_PREFIX "\${pcfiledir}/${kz_pc_to_prefix}")
configure_file(cmake/KzChartWidget.pc.in "${PROJECT_BINARY_DIR}/${KZCHART_PACKAGE_NAME}.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/${KZCHART_PACKAGE_NAME}.pc"
    DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig"
    COMPONENT Development)
