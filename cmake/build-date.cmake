# Works out MHBK_BUILD_EPOCH (see MhbkBuildDate.cmake) from SOURCE_DIR and GIT; run as a script
# (cmake -DSOURCE_DIR=... -DGIT=... -DOUTPUT=... -P build-date.cmake) it writes the header OUTPUT.
# Outside a git checkout and without SOURCE_DATE_EPOCH: 2026-01-01 00:00 UTC.
set(MHBK_BUILD_EPOCH 1767225600)
if("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(MHBK_BUILD_EPOCH $ENV{SOURCE_DATE_EPOCH})
elseif(GIT)
  execute_process(COMMAND ${GIT} log -1 --format=%ct
                  WORKING_DIRECTORY ${SOURCE_DIR}
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed AND commit_time MATCHES "^[0-9]+$")
    set(MHBK_BUILD_EPOCH ${commit_time})
  endif()
endif()
if(DEFINED OUTPUT)
  file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "#pragma once\n#define MHBK_BUILD_EPOCH ${MHBK_BUILD_EPOCH}LL\n" @ONLY)
endif()
