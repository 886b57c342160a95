# cmake -DBUILD_DIR=... -DWORK_DIR=... -DAPP_ID=... -DICON_SIZES=... -P InstallTest.cmake
# Installs into WORK_DIR/prefix, checks the files and validates them with the
# desktop's own tools, then starts the installed program.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(share ${prefix}/share)
set(desktop ${share}/applications/${APP_ID}.desktop)
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)
foreach(f bin/tallybook share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/scalable/apps/${APP_ID}.svg)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()

# Each PNG holds an image of the size its folder promises (PNG header: width
# and height as big-endian words at offset 16).
foreach(size IN LISTS ICON_SIZES)
    set(png ${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    if(NOT EXISTS ${png})
        message(FATAL_ERROR "icon missing: ${png}")
    endif()
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png} is ${width}x${height}, not ${size}x${size}")
    endif()
endforeach()

# The entry names an installed program and an installed icon.
file(STRINGS ${desktop} exec REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=tallybook" OR NOT icon STREQUAL "Icon=${APP_ID}")
    message(FATAL_ERROR "entry starts '${exec}' with '${icon}'")
endif()

find_program(desktop_validate desktop-file-validate REQUIRED)
find_program(appstreamcli appstreamcli REQUIRED)
run(${desktop_validate} ${desktop})
run(${appstreamcli} validate --no-net ${metainfo})

# The installed program starts and stays up with its window until stopped.
set(ENV{TALLYBOOK_DEVICE} ${WORK_DIR}/device)
execute_process(COMMAND ${prefix}/bin/tallybook
    TIMEOUT 3 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc MATCHES "timeout")
    message(FATAL_ERROR "the installed program ended on its own (${rc}):\n${out}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
