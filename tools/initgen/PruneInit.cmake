# The program's Init folder holds only what the last run of corvan-initgen made.
#   cmake -DINIT=<Init folder> -DLIST=<list file> -DMODE=list -P PruneInit.cmake
#     writes the names the folder holds now (right after corvan-initgen) to the list;
#   cmake -DINIT=<Init folder> -DLIST=<list file> -P PruneInit.cmake
#     removes from the folder every name the list does not hold, such as a
#     ".ted" an earlier build made: File New would take it for the defaults' own.
cmake_minimum_required(VERSION 3.25)
file(GLOB present RELATIVE "${INIT}" "${INIT}/*")
if(MODE STREQUAL "list")
    list(JOIN present "\n" names)
    file(WRITE "${LIST}" "${names}\n")
    return()
endif()
file(STRINGS "${LIST}" made)
foreach(name IN LISTS present)
    if(NOT name IN_LIST made)
        message(STATUS "Not made by this build, removed: ${INIT}/${name}")
        file(REMOVE_RECURSE "${INIT}/${name}")
    endif()
endforeach()
