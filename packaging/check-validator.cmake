# cmake -DKIND=desktop|metainfo|tree -DFILE=PATH -P check-validator.cmake
#
# Runs the freedesktop validator for KIND on FILE and passes only on a clean
# result: no errors, warnings, infos or hints, pedantic ones included. The
# validators themselves let warnings through with exit status 0, and a hint
# today is usually a launcher that some menu files away tomorrow.

cmake_minimum_required(VERSION 3.25)

if(KIND STREQUAL "desktop")
    set(tool_name desktop-file-validate)
    set(debian_package desktop-file-utils)
elseif(KIND STREQUAL "metainfo" OR KIND STREQUAL "tree")
    set(tool_name appstreamcli)
    set(debian_package appstream)
else()
    message(FATAL_ERROR "unknown KIND '${KIND}'")
endif()

find_program(tool ${tool_name})
if(NOT tool)
    message("[skipped: ${tool_name} not found; install the Debian package ${debian_package}]")
    return()
endif()
if(NOT EXISTS "${FILE}")
    message(FATAL_ERROR "${FILE} does not exist")
endif()

if(KIND STREQUAL "desktop")
    set(command ${tool} ${FILE})
    # desktop-file-validate prints nothing at all for a clean file.
    set(issue_pattern ".")
elseif(KIND STREQUAL "metainfo")
    set(command ${tool} validate --no-net --pedantic --explain ${FILE})
    set(issue_pattern "(^|\n)[EWIP]: ")
else()
    set(command ${tool} validate-tree --no-net --pedantic --explain ${FILE})
    set(issue_pattern "(^|\n)[EWIP]: ")
endif()

execute_process(COMMAND ${command}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(STRIP "${output}" output)
list(JOIN command " " shown)
message("${shown}\n${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${tool_name} rejected ${FILE} (exit status ${status})")
endif()
if(output MATCHES "${issue_pattern}")
    message(FATAL_ERROR "${tool_name} found issues in ${FILE}")
endif()
