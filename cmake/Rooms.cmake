# The rooms of src/, bottom to top. A room includes its own headers and those of the rooms
# below it, never one above; app/ may include everything. Each room is a static library with
# an explicit file list that links only the room beneath it; the build checks every include of
# a room before compiling it, and that nothing below app/ includes Qt or SDL.
set(FLUFFO_ROOMS base engine display input windows app)

# The rooms a room may include: itself and every room below it.
function(fluffo_rooms_seen_by room out_var)
    list(FIND FLUFFO_ROOMS "${room}" rank)
    if(rank LESS 0)
        message(FATAL_ERROR "No room is called ${room}")
    endif()
    math(EXPR last "${rank} + 1")
    list(SUBLIST FLUFFO_ROOMS 0 ${last} seen)
    set(${out_var} "${seen}" PARENT_SCOPE)
endfunction()

# Checks the includes of FILES as files of ROOM before TARGET is built; a target whose files
# lie in several rooms (a test program) names each check with AS. Extra rooms in ALSO (tests
# may include their support folder).
function(fluffo_check_includes target room)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "" "AS" "FILES;ALSO")
    if(NOT ARG_AS)
        set(ARG_AS ${target})
    endif()
    fluffo_rooms_seen_by("${room}" seen)
    list(APPEND seen ${ARG_ALSO})
    set(toolkit OFF)
    if(room STREQUAL "app")
        set(toolkit ON)
    endif()
    set(needs_qt OFF)
    if(CMAKE_CURRENT_SOURCE_DIR MATCHES "/src/app/qt(/|$)")
        set(needs_qt ON)
    endif()
    string(REPLACE ";" "|" file_arg "${ARG_FILES}")
    string(REPLACE ";" "|" seen_arg "${seen}")
    set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${ARG_AS}_includes.stamp")
    add_custom_command(
        OUTPUT "${stamp}"
        COMMAND "${CMAKE_COMMAND}" "-DFILES=${file_arg}" "-DROOM=${room}" "-DSEES=${seen_arg}"
                "-DTOOLKIT=${toolkit}" "-DNEEDS_QT=${needs_qt}" "-DSTAMP=${stamp}"
                -P "${PROJECT_SOURCE_DIR}/cmake/CheckRoomIncludes.cmake"
        DEPENDS ${ARG_FILES} "${PROJECT_SOURCE_DIR}/cmake/CheckRoomIncludes.cmake"
        COMMENT "Checking the includes of ${ARG_AS}"
        VERBATIM)
    add_custom_target(${ARG_AS}_includes DEPENDS "${stamp}")
    add_dependencies(${target} ${ARG_AS}_includes)
endfunction()

# fluffo_room(<target> <room> <file>...): the room's library, from the files of the current
# folder, with src/ as its include root and its includes checked.
function(fluffo_room target room)
    set(files ${ARGN})
    list(TRANSFORM files PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
    add_library(${target} STATIC ${files})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    fluffo_check_includes(${target} ${room} FILES ${files})
endfunction()
