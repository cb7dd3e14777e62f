# Builds the fuzz targets with clang as an external project (the programs keep
# the default compiler) and registers a short fuzz run as a test. clang and
# libFuzzer come from scripts/deps.sh; without them configuring stops, so that
# the fuzz run is never dropped from the tests unnoticed.
include(ExternalProject)

find_program(MERSOL_FUZZ_CXX NAMES clang++ clang++-16 clang++-15 clang++-14
             DOC "clang++ with libFuzzer, for the fuzz targets")
if(NOT MERSOL_FUZZ_CXX)
  message(FATAL_ERROR "clang++ not found: run scripts/deps.sh (packages clang, libclang-rt-14-dev), "
                      "or configure with -DMERSOL_FUZZ=OFF to leave the fuzz run out.")
endif()

# clang alone is not enough: libFuzzer and the sanitizer runtimes are a
# package of their own. Probe once per compiler.
if(NOT MERSOL_FUZZ_PROBED STREQUAL MERSOL_FUZZ_CXX)
  set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe_dir}/probe.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${MERSOL_FUZZ_CXX} -fsanitize=fuzzer,address,undefined probe.cpp -o probe
                  WORKING_DIRECTORY ${probe_dir} RESULT_VARIABLE probe_rc OUTPUT_QUIET ERROR_VARIABLE probe_err)
  if(NOT probe_rc EQUAL 0)
    message(FATAL_ERROR "${MERSOL_FUZZ_CXX} cannot link libFuzzer: run scripts/deps.sh (package "
                        "libclang-rt-14-dev), or configure with -DMERSOL_FUZZ=OFF.\n${probe_err}")
  endif()
  set(MERSOL_FUZZ_PROBED "${MERSOL_FUZZ_CXX}" CACHE INTERNAL "")
endif()

set(fuzz_bin ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzz_targets
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
  BINARY_DIR ${fuzz_bin}
  CMAKE_CACHE_ARGS -DCMAKE_CXX_COMPILER:FILEPATH=${MERSOL_FUZZ_CXX}
                   -DCMAKE_BUILD_TYPE:STRING=RelWithDebInfo
                   -DCMAKE_CXX_COMPILER_LAUNCHER:STRING=${CMAKE_CXX_COMPILER_LAUNCHER}
                   -DQt6_DIR:PATH=${Qt6_DIR}
  # The outer build cannot see the parser's sources change; the inner one can.
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${fuzz_bin}/profile_text_fuzz)

# New inputs the fuzzer finds go to a corpus in the build folder (kept between
# runs); the seed corpus in the sources is only read. A crashing input is
# written to fuzz/artifacts/ and fails the test.
file(MAKE_DIRECTORY ${fuzz_bin}/corpus ${fuzz_bin}/artifacts)
add_test(NAME profile_text_fuzz
         COMMAND ${fuzz_bin}/profile_text_fuzz -max_total_time=15 -timeout=10 -print_final_stats=1
                 -dict=${PROJECT_SOURCE_DIR}/fuzz/profile_text.dict -artifact_prefix=${fuzz_bin}/artifacts/
                 ${fuzz_bin}/corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus)
set_tests_properties(profile_text_fuzz PROPERTIES TIMEOUT 120 LABELS fuzz)
