# Installs the build into a scratch folder, as a package would, and checks
# that a desktop finds there what it needs: both commands under their names,
# the menu entry and the metadata accepted by their validators and pointing
# at what is installed, an icon of the right size at each size, and the two
# manual pages.
#   cmake -DBUILD_DIR=... -DSCRATCH=... -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)
set(app example.korvane.Tiravo)
set(root ${SCRATCH}/usr)
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${root}
                RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
if(failed)
    message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(problems)
macro(problem text)
    list(APPEND problems "${text}")
endmacro()

foreach(path bin/tiravo bin/tiravo-db share/applications/${app}.desktop
             share/metainfo/${app}.metainfo.xml share/man/man1/tiravo.1.gz
             share/man/man1/tiravo-db.1.gz share/doc/tiravo/copyright)
    if(NOT EXISTS ${root}/${path})
        problem("missing ${path}")
    endif()
endforeach()
if(EXISTS ${root}/bin/Tiravo)
    problem("the program is installed under its build name bin/Tiravo")
endif()

# A PNG's width and height stand in its header, at bytes 16 to 23.
foreach(size 16 22 24 32 48 64 128 256 512)
    set(icon ${root}/share/icons/hicolor/${size}x${size}/apps/tiravo.png)
    if(NOT EXISTS ${icon})
        problem("no ${size}x${size} icon")
        continue()
    endif()
    file(READ ${icon} header HEX OFFSET 16 LIMIT 8)
    math(EXPR expected "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "" expected ${expected})
    string(LENGTH ${expected} digits)
    math(EXPR pad "8 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    if(NOT header STREQUAL "${zeros}${expected}${zeros}${expected}")
        problem("the ${size}x${size} icon has another size (${header})")
    endif()
endforeach()

# The entry starts an installed command and shows the installed icon.
file(STRINGS ${root}/share/applications/${app}.desktop exec REGEX "^Exec=")
file(STRINGS ${root}/share/applications/${app}.desktop icon REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" command "${exec}")
if(NOT EXISTS ${root}/bin/${command})
    problem("the entry starts '${command}', which is not installed")
endif()
if(NOT icon STREQUAL "Icon=tiravo")
    problem("the entry shows the icon '${icon}' instead of the installed 'tiravo'")
endif()
file(READ ${root}/share/metainfo/${app}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${app}.desktop</launchable>")
    problem("the metadata do not launch ${app}.desktop")
endif()

foreach(check "desktop-file-validate;${root}/share/applications/${app}.desktop"
              "appstreamcli;validate;--no-net;${root}/share/metainfo/${app}.metainfo.xml")
    list(GET check 0 tool)
    find_program(found ${tool} NO_CACHE)
    if(NOT found)
        problem("${tool} is missing")
        continue()
    endif()
    execute_process(COMMAND ${check} RESULT_VARIABLE failed OUTPUT_VARIABLE out
                    ERROR_VARIABLE out)
    if(failed)
        problem("${tool} rejects the file:\n${out}")
    endif()
endforeach()

execute_process(COMMAND ${root}/bin/tiravo-db --help RESULT_VARIABLE failed OUTPUT_VARIABLE usage)
if(failed OR NOT usage MATCHES "winners")
    problem("the installed tiravo-db does not run or lacks the winners command")
endif()

file(REMOVE_RECURSE ${SCRATCH})
if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "The installed tree is not right:\n  ${text}")
endif()
message(STATUS "installed tree complete")
