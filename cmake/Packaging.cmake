# Two Debian packages made with CPack from the install rules (cmake/Install.cmake), from the build
# that is already there:  cpack --config <build>/CPackConfig.cmake -B <build>/packages
#   quorstat          the client: Quorlan, its module, pictures, menu entry, icons, man page
#   quorstat-service  the stand-in service with its systemd unit and man page
set(QUORSTAT_PACKAGE_MAINTAINER "Quorstat developers <packages@quorstat.example.org>"
    CACHE STRING "Maintainer field of the Debian packages")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorstat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUORSTAT_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${QUORSTAT_PACKAGE_PREFIX})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL client service)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_CLIENT_PACKAGE_NAME quorstat)
set(CPACK_DEBIAN_CLIENT_PACKAGE_SECTION misc)
# Qt finds its window-system plugins at run time, and the program opens the libraries it needs
# only now and then when it first needs them (core/shared_library.h): dpkg-shlibdeps sees none of
# these.
set(CPACK_DEBIAN_CLIENT_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libcurl4, libssl3, libsndfile1, libpulse0, libgsf-1-114, liblnk1")
set(CPACK_DEBIAN_CLIENT_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")
set(CPACK_DEBIAN_CLIENT_PACKAGE_SUGGESTS "quorstat-service")
set(CPACK_COMPONENT_CLIENT_DESCRIPTION
    "desktop client for betting-plan statistics of five-digit lotteries
Quorstat follows the draws of the five-digit \"shishicai\" lotteries and their
countdown (voice read-out, tray balloons), submits betting plans computed with
a multiple calculator, shows them settled with statistics, follows other users
and their shared plans and intersects many users' plans in a data box.
.
The program is started as Quorlan; it needs an account of the statistics
service (the package quorstat-service provides a stand-in).")

set(CPACK_DEBIAN_SERVICE_PACKAGE_NAME quorstat-service)
set(CPACK_DEBIAN_SERVICE_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SERVICE_PACKAGE_DEPENDS "adduser")
set(CPACK_DEBIAN_SERVICE_PACKAGE_CONTROL_EXTRA
    ${QUORSTAT_PACKAGING_DIR}/quorstat-service/postinst
    ${QUORSTAT_PACKAGING_DIR}/quorstat-service/prerm
    ${QUORSTAT_PACKAGING_DIR}/quorstat-service/postrm)
set(CPACK_DEBIAN_SERVICE_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_SERVICE_DESCRIPTION
    "stand-in betting-plan statistics web service for Quorstat
An HTTP server with an SQLite database that answers every page the Quorstat
client uses: accounts, draws, plans and their settlement, statistics, users,
rankings and the data box. It can run on a virtual clock for tests and
demonstrations.
.
The package runs it as the system user quorstat-service through a systemd
unit, listening on 127.0.0.1:80 (where the client looks by default), with
its database under /var/lib/quorstat-service.")

include(CPack)
