# Warnings are errors for every target of the project.
function(vesta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
