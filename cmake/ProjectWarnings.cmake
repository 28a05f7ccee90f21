# Warnings for the project's own code. Third-party code (the VST3 SDK, libpng)
# is compiled with its own flags and never gets these.
function(quillwave_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
