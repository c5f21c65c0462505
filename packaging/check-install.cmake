# cmake -DBUILD_DIR=... -DROOT=... -DPREFIX=/usr -DEXPECTED=installed-files.txt
#       -DAPP_ID=... -DBINDIR=bin -DDATADIR=share -P check-install.cmake
#
# Installs the build into ROOT (as DESTDIR, under PREFIX) and checks what
# arrived: exactly the files listed in EXPECTED, icons that are PNGs of the
# size their folder names, a launcher and a metainfo file that point at each
# other, at the installed program and at the installed icon, and a program
# that starts from its installed place.

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/png-size.cmake)

file(REMOVE_RECURSE "${ROOT}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (exit status ${status})")
endif()

set(top "${ROOT}${PREFIX}")
set(failures)

# The installed tree holds the expected files and nothing else.
file(STRINGS "${EXPECTED}" expected)
file(GLOB_RECURSE installed RELATIVE "${top}" "${top}/*")
list(SORT installed)
set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(unexpected ${installed})
list(REMOVE_ITEM unexpected ${expected})
foreach(path IN LISTS missing)
    list(APPEND failures "missing: ${PREFIX}/${path}")
endforeach()
foreach(path IN LISTS unexpected)
    list(APPEND failures "not expected: ${PREFIX}/${path}")
endforeach()

# Icons: real PNGs, as large as the theme folder they sit in says.
foreach(path IN LISTS installed)
    if(path MATCHES "/icons/hicolor/([0-9]+)x([0-9]+)/apps/[^/]+\\.png$")
        set(want_width ${CMAKE_MATCH_1})
        set(want_height ${CMAKE_MATCH_2})
        png_size("${top}/${path}" width height)
        if(NOT width EQUAL want_width OR NOT height EQUAL want_height)
            list(APPEND failures "${path} is ${width}x${height}, not ${want_width}x${want_height}")
        endif()
    endif()
endforeach()

# The launcher names the installed program and the installed icon.
set(desktop_path "${top}/${DATADIR}/applications/${APP_ID}.desktop")
set(metainfo_path "${top}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
if(EXISTS "${desktop_path}")
    file(READ "${desktop_path}" entry)
    set(entry "\n${entry}")
    # Whole lines. Categories apart: its semicolons would split a CMake list.
    foreach(line "Type=Application" "Name=一次関数" "Name[ja]=一次関数" "Terminal=false")
        string(FIND "${entry}" "\n${line}\n" at)
        if(at EQUAL -1)
            list(APPEND failures "launcher lacks the line '${line}'")
        endif()
    endforeach()
    string(FIND "${entry}" "\nCategories=Education;Math;\n" at)
    if(at EQUAL -1)
        list(APPEND failures "launcher lacks the line that puts it under Education and Math")
    endif()
    foreach(key GenericName "GenericName[ja]" Comment "Comment[ja]")
        string(REPLACE "[" "\\[" key_pattern "${key}")
        string(REPLACE "]" "\\]" key_pattern "${key_pattern}")
        if(NOT entry MATCHES "\n${key_pattern}=[^\n]")
            list(APPEND failures "launcher has no ${key}")
        endif()
    endforeach()
    if(entry MATCHES "\nExec=([^\n% ]+)")
        if(NOT EXISTS "${top}/${BINDIR}/${CMAKE_MATCH_1}")
            list(APPEND failures "launcher runs '${CMAKE_MATCH_1}', which is not in ${PREFIX}/${BINDIR}")
        endif()
    else()
        list(APPEND failures "launcher has no Exec line")
    endif()
    if(entry MATCHES "\nIcon=([^\n]+)")
        set(icon_name ${CMAKE_MATCH_1})
        foreach(size 32x32 256x256)
            if(NOT EXISTS "${top}/${DATADIR}/icons/hicolor/${size}/apps/${icon_name}.png")
                list(APPEND failures "launcher icon '${icon_name}' has no ${size} PNG in hicolor")
            endif()
        endforeach()
    else()
        list(APPEND failures "launcher has no Icon line")
    endif()
endif()

# The metainfo points at the launcher by its file name and carries what the
# validator does not insist on but a software centre shows.
if(EXISTS "${metainfo_path}")
    file(READ "${metainfo_path}" metainfo)
    set(required_fragments
        "<id>${APP_ID}</id>"
        "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
        "<metadata_license>CC0-1.0</metadata_license>"
        "<project_license>MIT</project_license>"
        "<developer_name>"
        "<content_rating type=\"oars-1.1\""
        "<summary>"
        "<summary xml:lang=\"ja\">"
        "<p xml:lang=\"ja\">")
    foreach(fragment IN LISTS required_fragments)
        string(FIND "${metainfo}" "${fragment}" at)
        if(at EQUAL -1)
            list(APPEND failures "metainfo lacks ${fragment}")
        endif()
    endforeach()
endif()

# The installed program starts and keeps running until it is closed.
set(program "${top}/${BINDIR}/ichijikansu")
if(EXISTS "${program}")
    execute_process(COMMAND "${program}" TIMEOUT 2
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status MATCHES "timeout")
        list(APPEND failures "installed program ended by itself (${status}): ${output}")
    endif()
endif()

if(failures)
    list(JOIN failures "\n  " report)
    message(FATAL_ERROR "installation under ${ROOT}${PREFIX}:\n  ${report}")
endif()
list(JOIN installed "\n  ${PREFIX}/" listing)
message("installed as expected:\n  ${PREFIX}/${listing}")
