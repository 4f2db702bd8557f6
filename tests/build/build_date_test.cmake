# The build date comes from SOURCE_DATE_EPOCH, else from the last commit, else a fixed date;
# each case runs the real script in a folder of its own and reads the header it writes.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/plain ${WORK}/repo)

function(date_written source_dir env_epoch out)
  set(header ${WORK}/header.h)
  file(REMOVE ${header})
  if(env_epoch STREQUAL "")
    set(env_args --unset=SOURCE_DATE_EPOCH)
  else()
    set(env_args SOURCE_DATE_EPOCH=${env_epoch})
  endif()
  # The ceiling keeps git from finding the checkout this test itself sits in.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env_args} GIT_CEILING_DIRECTORIES=${WORK}
                          ${CMAKE_COMMAND} -DSOURCE_DIR=${source_dir} -DGIT=${GIT} -DOUTPUT=${header} -P ${SCRIPT}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the build-date script failed in ${source_dir}")
  endif()
  file(STRINGS ${header} line REGEX "MHBK_BUILD_EPOCH")
  string(REGEX REPLACE ".*MHBK_BUILD_EPOCH ([0-9]+)LL.*" "\\1" epoch "${line}")
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}: got '${actual}', expected '${expected}'")
  endif()
endfunction()

date_written(${WORK}/plain "" fallback)
expect("outside git, no SOURCE_DATE_EPOCH" "${fallback}" "1767225600")
date_written(${WORK}/plain "1158710400" epoch)
expect("SOURCE_DATE_EPOCH outside git" "${epoch}" "1158710400")
date_written(${WORK}/plain "not-a-number" epoch)
expect("a malformed SOURCE_DATE_EPOCH is ignored" "${epoch}" "1767225600")

if(GIT)
  set(git_env ${CMAKE_COMMAND} -E env GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@example.com GIT_COMMITTER_NAME=t
              GIT_COMMITTER_EMAIL=t@example.com "GIT_COMMITTER_DATE=@1600000000 +0800"
              "GIT_AUTHOR_DATE=@1500000000 +0800" GIT_CONFIG_NOSYSTEM=1 ${GIT} -C ${WORK}/repo)
  execute_process(COMMAND ${git_env} init -q COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${git_env} commit -q --allow-empty -m first COMMAND_ERROR_IS_FATAL ANY)
  date_written(${WORK}/repo "" epoch)
  expect("the last commit's time (the committer's, not the author's)" "${epoch}" "1600000000")
  date_written(${WORK}/repo "1158710400" epoch)
  expect("SOURCE_DATE_EPOCH wins over the commit" "${epoch}" "1158710400")
endif()
