# The build date the About box shows, as seconds since 1970 in the generated header
# mhbk_build_date.h: SOURCE_DATE_EPOCH when the packager sets it, otherwise the time of the
# last commit, otherwise a fixed date, so that two builds of one commit are identical.
# The date is worked out at every build, so a new commit needs no reconfigure; the header is
# rewritten only when the date changes, so nothing recompiles otherwise.
set(MHBK_BUILD_DATE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/build-date.cmake)
find_program(MHBK_GIT_PROGRAM git)

function(mhbk_build_date target)
  set(dir ${PROJECT_BINARY_DIR}/generated)
  set(args -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DGIT=${MHBK_GIT_PROGRAM} -DOUTPUT=${dir}/mhbk_build_date.h)
  execute_process(COMMAND ${CMAKE_COMMAND} ${args} -P ${MHBK_BUILD_DATE_SCRIPT})
  add_custom_target(${target}_build_date
    COMMAND ${CMAKE_COMMAND} ${args} -P ${MHBK_BUILD_DATE_SCRIPT}
    BYPRODUCTS ${dir}/mhbk_build_date.h
    VERBATIM)
  add_dependencies(${target} ${target}_build_date)
  target_include_directories(${target} PRIVATE ${dir})
endfunction()

# The same date, as configured, written with a string(TIMESTAMP) format in UTC: for the
# package's changelog and release date.
function(mhbk_build_date_text format out)
  set(SOURCE_DIR ${PROJECT_SOURCE_DIR})
  set(GIT ${MHBK_GIT_PROGRAM})
  include(${MHBK_BUILD_DATE_SCRIPT})
  set(had_epoch "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${MHBK_BUILD_EPOCH}) # the one input string(TIMESTAMP) takes a time from
  string(TIMESTAMP text "${format}" UTC)
  if(had_epoch STREQUAL "")
    unset(ENV{SOURCE_DATE_EPOCH})
  else()
    set(ENV{SOURCE_DATE_EPOCH} "${had_epoch}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
