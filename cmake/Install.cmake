# Install rules: the client (component "client") and the stand-in service ("service"), each with
# the files a Debian package of it carries. Layout: cmake/InstallLayout.cmake.
find_program(QUORSTAT_CONVERT convert REQUIRED)
find_program(QUORSTAT_HELP2MAN help2man REQUIRED)
find_program(QUORSTAT_GZIP gzip REQUIRED)

set(QUORSTAT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(QUORSTAT_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)
# The packages install under /usr; the systemd unit names the service there.
set(QUORSTAT_PACKAGE_PREFIX /usr)
set(QUORSTAT_ICON_SIZES 16 22 24 32 48 64)
file(MAKE_DIRECTORY ${QUORSTAT_GENERATED_DIR})

# The packages carry the project's version; the program's own and the changelog's newest entry
# must say the same.
file(STRINGS ${QUORSTAT_PACKAGING_DIR}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^quorstat \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog starts with \"${changelog_head}\"; add an entry for "
                        "version ${PROJECT_VERSION}")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/module/core/app_state.h program_version
     REGEX "kProductVersion = \"${PROJECT_VERSION}\";")
if(NOT program_version)
    message(FATAL_ERROR "kProductVersion in module/core/app_state.h is not ${PROJECT_VERSION}")
endif()

# Compressed copies of man pages and changelogs, as Debian ships them (no name, no time stamp).
function(quorstat_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "'${QUORSTAT_GZIP}' -9nc < '${source}' > '${output}'"
        DEPENDS ${source} VERBATIM)
endfunction()

# The launcher's icon in the usual sizes, scaled down from the program's own icon (never up).
set(app_icon ${PROJECT_SOURCE_DIR}/resources/images/app_icon.png)
set(icon_files)
foreach(size ${QUORSTAT_ICON_SIZES})
    set(icon ${QUORSTAT_GENERATED_DIR}/icons/${size}x${size}/quorstat.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORSTAT_GENERATED_DIR}/icons/${size}x${size}
        COMMAND ${QUORSTAT_CONVERT} ${app_icon} -resize ${size}x${size} -strip
                -define png:exclude-chunks=date,time ${icon}
        DEPENDS ${app_icon} VERBATIM)
    list(APPEND icon_files ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT client)
endforeach()

configure_file(${QUORSTAT_PACKAGING_DIR}/quorstat/Quorlan.1.in ${QUORSTAT_GENERATED_DIR}/Quorlan.1
               @ONLY)
quorstat_gzip(${QUORSTAT_GENERATED_DIR}/Quorlan.1 ${QUORSTAT_GENERATED_DIR}/Quorlan.1.gz)
quorstat_gzip(${QUORSTAT_PACKAGING_DIR}/changelog ${QUORSTAT_GENERATED_DIR}/changelog.gz)

# The service's man page comes from its own --help and --version, so it never falls behind.
add_custom_command(OUTPUT ${QUORSTAT_GENERATED_DIR}/quorstat-service.1
    COMMAND ${QUORSTAT_HELP2MAN} --no-info --no-discard-stderr
            --name "stand-in betting-plan statistics web service"
            --include ${QUORSTAT_PACKAGING_DIR}/quorstat-service/quorstat-service.h2m
            --output ${QUORSTAT_GENERATED_DIR}/quorstat-service.1 $<TARGET_FILE:quorstat-service>
    DEPENDS quorstat-service ${QUORSTAT_PACKAGING_DIR}/quorstat-service/quorstat-service.h2m VERBATIM)
quorstat_gzip(${QUORSTAT_GENERATED_DIR}/quorstat-service.1
              ${QUORSTAT_GENERATED_DIR}/quorstat-service.1.gz)

add_custom_target(packaging_files ALL DEPENDS
    ${icon_files}
    ${QUORSTAT_GENERATED_DIR}/Quorlan.1.gz
    ${QUORSTAT_GENERATED_DIR}/changelog.gz
    ${QUORSTAT_GENERATED_DIR}/quorstat-service.1.gz)

configure_file(${QUORSTAT_PACKAGING_DIR}/quorstat-service/quorstat-service.service.in
               ${QUORSTAT_GENERATED_DIR}/quorstat-service.service @ONLY)

# Client
install(TARGETS Quorlan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT client)
install(TARGETS Quorstat LIBRARY DESTINATION ${QUORSTAT_INSTALL_MODULEDIR} COMPONENT client
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/Image DESTINATION ${QUORSTAT_INSTALL_RESOURCEDIR}
        COMPONENT client)
install(FILES ${QUORSTAT_PACKAGING_DIR}/quorstat/quorstat.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT client)
install(FILES ${QUORSTAT_GENERATED_DIR}/Quorlan.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT client)

# Service
install(TARGETS quorstat-service RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT service)
install(FILES ${QUORSTAT_GENERATED_DIR}/quorstat-service.service DESTINATION lib/systemd/system
        COMPONENT service)
install(FILES ${QUORSTAT_GENERATED_DIR}/quorstat-service.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT service)

# Both packages carry the copyright and the changelog in their own documentation directory.
foreach(component_package client:quorstat service:quorstat-service)
    string(REPLACE ":" ";" pair ${component_package})
    list(GET pair 0 component)
    list(GET pair 1 package)
    install(FILES ${QUORSTAT_PACKAGING_DIR}/copyright ${QUORSTAT_GENERATED_DIR}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()
