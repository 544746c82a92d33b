# Warning flags for every Zendra target; call zendra_target_defaults(target) on each.
function(zendra_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(ZENDRA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
