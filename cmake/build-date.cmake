# cmake -DSOURCE_DIR=... -DGIT=... -DOUTPUT=... -P build-date.cmake (see MhbkBuildDate.cmake)
# Outside a git checkout and without SOURCE_DATE_EPOCH: 2026-01-01 00:00 UTC.
set(epoch 1767225600)
if("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(epoch $ENV{SOURCE_DATE_EPOCH})
elseif(GIT)
  execute_process(COMMAND ${GIT} log -1 --format=%ct
                  WORKING_DIRECTORY ${SOURCE_DIR}
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed AND commit_time MATCHES "^[0-9]+$")
    set(epoch ${commit_time})
  endif()
endif()
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "#pragma once\n#define MHBK_BUILD_EPOCH ${epoch}LL\n" @ONLY)
