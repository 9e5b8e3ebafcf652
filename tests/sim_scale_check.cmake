# fluffo-sim --scale (called with SIM and OUT, a scratch folder): render writes the frame at
# that many pixels per window pixel (without a skin the window is 440 x 664), and a scale
# that is no number or out of range is refused with exit code 2.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
foreach(case "1 440 664" "1.5 660 996" "2 880 1328")
    separate_arguments(case)
    list(GET case 0 scale)
    list(GET case 1 want_w)
    list(GET case 2 want_h)
    file(WRITE "${OUT}/in.txt" "render ${OUT}/frame.png\nquit\n")
    execute_process(COMMAND "${SIM}" --seed 1 --scale ${scale} INPUT_FILE "${OUT}/in.txt"
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "--scale ${scale}: exit ${rc}\n${err}")
    endif()
    # The PNG header's width and height, big-endian at bytes 16 and 20.
    file(READ "${OUT}/frame.png" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 8 w_hex)
    string(SUBSTRING "${header}" 40 8 h_hex)
    math(EXPR w "0x${w_hex}")
    math(EXPR h "0x${h_hex}")
    if(NOT w EQUAL want_w OR NOT h EQUAL want_h)
        message(FATAL_ERROR "--scale ${scale}: ${w} x ${h}, expected ${want_w} x ${want_h}")
    endif()
endforeach()
foreach(bad 0 -1 x 17)
    execute_process(COMMAND "${SIM}" --scale ${bad} INPUT_FILE "${OUT}/in.txt"
                    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 2)
        message(FATAL_ERROR "--scale ${bad}: exit ${rc}, expected 2")
    endif()
endforeach()
file(REMOVE_RECURSE "${OUT}")
