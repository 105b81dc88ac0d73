# Where `cmake --install` and the packages put things. The program finds the module and its
# pictures relative to its own directory, so an installed tree works wherever it is unpacked.
include(GNUInstallDirs)

set(QUORSTAT_INSTALL_MODULEDIR "lib/quorstat" CACHE STRING "Private directory of the Quorstat module")
set(QUORSTAT_INSTALL_RESOURCEDIR "${CMAKE_INSTALL_DATADIR}/quorstat" CACHE STRING
    "Directory of the pictures (Image/) of an installed copy")
foreach(dir CMAKE_INSTALL_BINDIR QUORSTAT_INSTALL_MODULEDIR QUORSTAT_INSTALL_RESOURCEDIR)
    if(IS_ABSOLUTE "${${dir}}")
        message(FATAL_ERROR "${dir} must be relative to the prefix: the program finds its files "
                            "relative to its own directory")
    endif()
endforeach()

file(RELATIVE_PATH QUORSTAT_MODULEDIR_FROM_BIN "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${QUORSTAT_INSTALL_MODULEDIR}")
file(RELATIVE_PATH QUORSTAT_RESOURCEDIR_FROM_BIN "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${QUORSTAT_INSTALL_RESOURCEDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/install_layout.h.in
               ${CMAKE_BINARY_DIR}/generated/core/install_layout.h @ONLY)
