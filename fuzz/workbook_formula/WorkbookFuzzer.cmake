# One libFuzzer target over the workbook engine, shared by fuzz/workbook_formula and
# fuzz/workbook_loader. The engine's sources are compiled into it again so that the fuzzer's
# coverage instrumentation reaches them; a bounded run is registered as a test.
function(mhbk_workbook_fuzzer name source max_len)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(STATUS "${name}: libFuzzer needs clang; not built")
    return()
  endif()
  file(GLOB engine_sources ${PROJECT_SOURCE_DIR}/src/workbooks/engine/*.cpp)
  add_executable(${name} ${source} ${engine_sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE Qt6::Core)
  mhbk_warnings(${name})

  set(work ${CMAKE_CURRENT_BINARY_DIR}/corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}_bounded
           COMMAND ${name} -max_total_time=60 -max_len=${max_len} -timeout=10 -rss_limit_mb=2048
                   ${work} ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
endfunction()
