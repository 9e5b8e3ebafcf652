# End to end: runs the real fluffo-sim on the demo script (called with SIM and SCRIPT) and
# checks that it exits 0 and that its last state answer is JSON of the expected shape,
# with the handheld back at the clock after the game.
execute_process(
    COMMAND "${SIM}" --seed 2017
    INPUT_FILE "${SCRIPT}"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "fluffo-sim exited with ${rc}\n${err}\n${out}")
endif()

string(FIND "${out}" "{\"t\":" start REVERSE)
if(start LESS 0)
    message(FATAL_ERROR "no state answer in:\n${out}")
endif()
string(SUBSTRING "${out}" ${start} -1 tail)
string(FIND "${tail}" "\n" end)
string(SUBSTRING "${tail}" 0 ${end} state)

string(JSON mode ERROR_VARIABLE problem GET "${state}" mode)
if(problem)
    message(FATAL_ERROR "last state does not parse: ${problem}\n${state}")
endif()
string(JSON wolves LENGTH "${state}" wolves)
string(JSON eggs GET "${state}" eggs)
string(LENGTH "${eggs}" egg_count)
string(JSON held_time GET "${state}" held time)
if(NOT mode EQUAL 1 OR NOT wolves EQUAL 2 OR NOT egg_count EQUAL 35 OR NOT held_time STREQUAL "OFF")
    message(FATAL_ERROR "unexpected last state: ${state}")
endif()
message(STATUS "demo game ends at the clock: ${state}")
