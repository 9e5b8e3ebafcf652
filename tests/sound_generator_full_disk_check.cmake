# The sound generator (called with GEN and DIR) must fail when a sample cannot be stored: Move,
# the shortest, is aimed at a full disk, where nothing is refused before the file is closed.
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
file(CREATE_LINK /dev/full "${DIR}/Move.wav" SYMBOLIC)
execute_process(COMMAND "${GEN}" "${DIR}" ERROR_VARIABLE err RESULT_VARIABLE rc)
file(REMOVE_RECURSE "${DIR}")
if(rc EQUAL 0)
    message(FATAL_ERROR "the sound generator reported success though Move.wav was not stored")
endif()
message(STATUS "refused as it should be: ${err}")
