# Debian packages made by `cpack -G DEB` in a build configured with
# CMAKE_INSTALL_PREFIX=/usr (scripts/package.sh): the run-time library and the
# development files, one pair per Qt major, named so that both pairs install
# side by side. dpkg-shlibdeps works out the run-time package's dependencies on
# the Qt libraries; the development package needs Qt's own development files,
# which its CMake package and pkg-config file look up.

set(CPACK_PACKAGE_NAME "${KZCHART_PACKAGE_NAME}")
set(CPACK_PACKAGE_VENDOR "KzChartWidget developers")
set(CPACK_PACKAGE_CONTACT "KzChartWidget developers <kzchartwidget@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chart widgets for Qt ${QT_VERSION_MAJOR} applications, drawn by ECharts")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)

string(TOLOWER "lib${KZCHART_PACKAGE_NAME}" kz_deb_base)
if(kz_deb_base MATCHES "[0-9]$")
    set(kz_deb_runtime "${kz_deb_base}-${PROJECT_VERSION_MAJOR}")
else()
    set(kz_deb_runtime "${kz_deb_base}${PROJECT_VERSION_MAJOR}")
endif()
if(QT_VERSION_MAJOR EQUAL 5)
    set(kz_deb_qt_dev "qtbase5-dev, qtwebengine5-dev, libqt5svg5-dev")
else()
    set(kz_deb_qt_dev "qt6-base-dev, qt6-webengine-dev, qt6-svg-dev")
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME "${kz_deb_runtime}")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME "${kz_deb_base}-dev")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${kz_deb_qt_dev}")

include(CPack)
