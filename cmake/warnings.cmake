# One place for the warning flags of the project's own targets.
function(t2c_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wold-style-cast -Wformat=2)
endfunction()
