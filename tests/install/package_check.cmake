# Makes the .deb and the .tar.gz with cpack and checks what each puts on a machine: the .deb's
# control fields (its run-time libraries found by dpkg-shlibdeps) and its tree under /usr, and
# the archive's tree in the one folder it unpacks into.
#   cmake -DCPACK=... -DBUILD_DIR=... -DOUT=... -DVERSION=... -DRUN_DIR=... -DAPPDIR=...
#         -DBINDIR=... -DDATADIR=... -DICON_SIZES=32|48|... -DVALIDATE=... -P package_check.cmake
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/program_tree_checks.cmake")
string(REPLACE "|" ";" ICON_SIZES "${ICON_SIZES}")

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CPACK}" -G "DEB;TGZ" --config "${BUILD_DIR}/CPackConfig.cmake"
                        -B "${OUT}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed (${status}):\n${out}${err}")
endif()
file(GLOB debs "${OUT}/*.deb")
file(GLOB archives "${OUT}/*.tar.gz")
list(LENGTH debs deb_count)
list(LENGTH archives archive_count)
if(NOT deb_count EQUAL 1 OR NOT archive_count EQUAL 1)
    message(FATAL_ERROR "expected one .deb and one .tar.gz in ${OUT}: [${debs}] [${archives}]")
endif()

# The .deb.
function(control_field name out_var)
    execute_process(COMMAND dpkg-deb --field "${debs}" "${name}" OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "dpkg-deb cannot read ${debs}")
    endif()
    set(${out_var} "${value}" PARENT_SCOPE)
endfunction()
foreach(field_value "Package=fluffo-brambo" "Version=${VERSION}" "Section=games")
    string(REPLACE "=" ";" pair "${field_value}")
    list(GET pair 0 field)
    list(GET pair 1 want)
    control_field(${field} got)
    if(NOT got STREQUAL want)
        message(SEND_ERROR "the package's ${field} is '${got}', expected '${want}'")
    endif()
endforeach()
control_field(Depends depends)
if(NOT depends MATCHES "libqt6widgets6")
    message(SEND_ERROR "the package's Depends lack the Qt libraries: '${depends}'")
endif()
control_field(Description description)
if(NOT description MATCHES "^Fluffo Brambo \\(Zentrix, Gleeplay\\) Simulator\n .")
    message(SEND_ERROR "the package's Description has no summary and text: '${description}'")
endif()

set(deb_tree "${OUT}/deb-tree")
execute_process(COMMAND dpkg-deb --extract "${debs}" "${deb_tree}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot unpack ${debs}")
endif()
file(GLOB top RELATIVE "${deb_tree}" "${deb_tree}/*")
if(NOT top STREQUAL "usr")
    message(SEND_ERROR "the package installs outside /usr: [${top}]")
endif()
check_program_tree("${deb_tree}/usr")

# The archive: one folder, usable wherever it is unpacked.
set(archive_tree "${OUT}/archive-tree")
file(MAKE_DIRECTORY "${archive_tree}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xzf "${archives}"
                WORKING_DIRECTORY "${archive_tree}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot unpack ${archives}")
endif()
file(GLOB top "${archive_tree}/*")
list(LENGTH top top_count)
if(NOT top_count EQUAL 1)
    message(FATAL_ERROR "the archive unpacks into [${top}], not one folder")
endif()
check_program_tree("${top}")
