# A plain Release build, as a user or packager makes one: its default targets (the program, the
# radio simulator, the tests and the benchmarks) with the optimiser's own flags and no warning made
# an error. The optimiser brings up warnings the test build never sees (GCC 12 once reported a
# false overlap at -O3 in the runtime layer), and those must not stop it.
#   cmake -DSOURCE=<project> -DBINARY=<scratch dir> [-DCXX=<compiler>] -P release_build.cmake
# J5_JOBS in the environment limits the build jobs (all cores when unset). scripts/test runs it
# once, between the plain and the sanitizer pass.
set(compiler)
if(CXX)
  set(compiler "-DCMAKE_CXX_COMPILER=${CXX}")
endif()
file(REMOVE_RECURSE "${BINARY}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${BINARY}" -DCMAKE_BUILD_TYPE=Release ${compiler}
  RESULT_VARIABLE configured OUTPUT_QUIET)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "a plain Release build does not configure")
endif()
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
if(DEFINED ENV{J5_JOBS} AND NOT "$ENV{J5_JOBS}" STREQUAL "")
  set(jobs "$ENV{J5_JOBS}")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" --build "${BINARY}" -j${jobs}
  RESULT_VARIABLE built)
file(REMOVE_RECURSE "${BINARY}")
if(NOT built EQUAL 0)
  message(FATAL_ERROR "a plain Release build fails")
endif()
