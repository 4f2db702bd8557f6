# Adds every folder below the current one that has a CMakeLists.txt, in name order: tests,
# tools, fuzz targets and benchmarks each keep one folder per subsystem.
function(mhbk_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT entries)
  foreach(dir ${entries})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
