# Our own code is held to a warning-free build; third-party headers come in as system headers.
function(mhbk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
