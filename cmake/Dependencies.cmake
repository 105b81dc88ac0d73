find_package(Threads REQUIRED)
find_package(CURL REQUIRED)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
find_package(fmt REQUIRED)
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(PkgConfig REQUIRED)
# Debian builds cpp-httplib as a shared library; the header alone is not enough.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
# The spreadsheet export writes its OLE2 container with libgsf.
pkg_check_modules(GSF REQUIRED IMPORTED_TARGET libgsf-1)
# Messenger shortcuts (".lnk") are read with liblnk.
pkg_check_modules(LNK REQUIRED IMPORTED_TARGET liblnk)
if(NOT QUORSTAT_CORE_ONLY)
    find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network Test)
    pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
    pkg_check_modules(PULSE_SIMPLE REQUIRED IMPORTED_TARGET libpulse-simple)
    # The group send drives other programs' windows through Xlib and XTest.
    pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
    pkg_check_modules(XTST REQUIRED IMPORTED_TARGET xtst)
endif()

# Libraries the program opens when it first needs them (core/shared_library.h) are compiled
# against but not linked: a linked library loads, with all it depends on, before the first window.
# quorstat_use_headers_of(target PUBLIC|PRIVATE library...)
function(quorstat_use_headers_of target scope)
    foreach(library ${ARGN})
        target_include_directories(${target} ${scope}
            $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
        target_compile_options(${target} ${scope}
            $<TARGET_PROPERTY:${library},INTERFACE_COMPILE_OPTIONS>)
    endforeach()
endfunction()
