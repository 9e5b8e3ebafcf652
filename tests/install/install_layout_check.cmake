# Installs the build into a fresh prefix with cmake --install and checks the tree there.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DRUN_DIR=... -DAPPDIR=... -DBINDIR=... -DDATADIR=...
#         -DICON_SIZES=32|48|... -DVALIDATE=desktop-file-validate -P install_layout_check.cmake
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/program_tree_checks.cmake")
string(REPLACE "|" ";" ICON_SIZES "${ICON_SIZES}")

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${out}${err}")
endif()
check_program_tree("${PREFIX}")
