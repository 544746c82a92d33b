# zendra_add_library(<target> [EXCLUDE regex] LINK <libraries>...): a static library of the .cpp files
# in the current folder (a room of the source tree), with Zendra's warning flags.
function(zendra_add_library target)
    cmake_parse_arguments(ARG "" "EXCLUDE" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
    endif()
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${ARG_LINK})
    zendra_target_defaults(${target})
endfunction()
