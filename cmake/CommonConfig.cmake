# One interface target carries the options every target of ours compiles with.
add_library(quorstat_options INTERFACE)
target_compile_features(quorstat_options INTERFACE cxx_std_20)
target_compile_options(quorstat_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                  -Wcast-align -Woverloaded-virtual)
if(QUORSTAT_WERROR)
    target_compile_options(quorstat_options INTERFACE -Werror)
endif()
if(QUORSTAT_SANITIZE)
    target_compile_options(quorstat_options INTERFACE -fsanitize=address,undefined
                                                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(quorstat_options INTERFACE -fsanitize=address,undefined)
endif()
if(QUORSTAT_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUORSTAT_FUZZ needs clang: configure a fresh build directory with "
                            "CC=clang CXX=clang++ (or use scripts/fuzz)")
    endif()
    # Coverage for libFuzzer in the libraries the fuzz targets link, not only in the targets;
    # undefined behaviour stops the run so that the fuzzer reports it as a crash.
    target_compile_options(quorstat_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(quorstat_options INTERFACE -fsanitize=address,undefined)
endif()
