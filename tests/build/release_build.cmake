# A plain Release build, as a user or packager makes one: its optimiser brings up warnings the
# test build never sees, and those must not stop it. Builds the runtime layer, where GCC 12
# once reported a false overlap at -O3.
#   cmake -DSOURCE=<project> -DBINARY=<scratch dir> -DCXX=<compiler> -P release_build.cmake
file(REMOVE_RECURSE "${BINARY}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${BINARY}" -DCMAKE_BUILD_TYPE=Release
          "-DCMAKE_CXX_COMPILER=${CXX}"
  RESULT_VARIABLE configured OUTPUT_QUIET)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "a plain Release build does not configure")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" --build "${BINARY}" --target j5_platform j5_data -j2
  RESULT_VARIABLE built)
file(REMOVE_RECURSE "${BINARY}")
if(NOT built EQUAL 0)
  message(FATAL_ERROR "a plain Release build fails")
endif()
