# One libFuzzer target. The code under test is compiled into it again (SOURCES), so that the
# fuzzer's coverage instrumentation reaches it; a bounded run is registered as the test
# <name>_bounded, which writes new inputs to the build tree and leaves the seeds untouched.
function(mhbk_add_fuzzer name)
  cmake_parse_arguments(FUZZ "" "MAX_LEN;SECONDS" "SOURCES;INCLUDES" ${ARGN})
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(STATUS "${name}: libFuzzer needs clang; not built")
    return()
  endif()
  if(NOT FUZZ_SECONDS)
    set(FUZZ_SECONDS 60)
  endif()
  add_executable(${name} ${FUZZ_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${FUZZ_INCLUDES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE Qt6::Core)
  mhbk_warnings(${name})

  set(work ${CMAKE_CURRENT_BINARY_DIR}/corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}_bounded
           COMMAND ${name} -max_total_time=${FUZZ_SECONDS} -max_len=${FUZZ_MAX_LEN} -timeout=10 -rss_limit_mb=2048
                   ${work} ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
endfunction()
