# Our own code is held to a warning-free build where the project asks for it (the test command
# does); packagers' compilers and flags differ, and a new warning must not stop their build.
option(MHBK_WERROR "Treat warnings in our own code as errors" OFF)

# Third-party headers come in as system headers.
function(mhbk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${MHBK_WERROR}>:-Werror>)
endfunction()
