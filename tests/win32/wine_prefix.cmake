# Makes the Wine prefix PREFIX once, with the screen at DPI dots per inch and the font link that
# Windows has for its UI face (CJK letters in a Latin face fall back to a Japanese one); a copy of
# the prefix FROM where given, which is much quicker than a second wineboot.
#   cmake -D PREFIX=<dir> -D DPI=<96|144> [-D FROM=<dir>] -P wine_prefix.cmake
cmake_minimum_required(VERSION 3.25)
if(EXISTS "${PREFIX}/system.reg")
    return()
endif()
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} -all)
# No .NET or HTML engine: the program needs neither, and wineboot would look for their installers.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
if(FROM)
    file(REMOVE_RECURSE "${PREFIX}")
    file(COPY "${FROM}/" DESTINATION "${PREFIX}")
else()
    execute_process(COMMAND wineboot -i OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "wineboot failed: ${failed}")
    endif()
endif()
# One regedit for all values: each wine command costs a start of Wine.
math(EXPR hex "${DPI}" OUTPUT_FORMAT HEXADECIMAL)
string(REPLACE "0x" "" digits "${hex}")
string(LENGTH "${digits}" length)
math(EXPR zeros "8 - ${length}")
string(REPEAT "0" ${zeros} pad)
# REG_MULTI_SZ in a REGEDIT4 file is hex(7) of ANSI bytes, the string and the list each ended by a
# NUL.
set(link "ipagp.ttf,IPAPGothic")
set(multi)
string(LENGTH "${link}" count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
    string(SUBSTRING "${link}" ${i} 1 char)
    string(HEX "${char}" code)
    string(APPEND multi "${code},")
endforeach()
string(APPEND multi "00,00")
file(WRITE "${PREFIX}/drive_c/velmora-test.reg" "REGEDIT4

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
\"LogPixels\"=dword:${pad}${digits}

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
\"LogPixels\"=dword:${pad}${digits}

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
\"DejaVu Sans Condensed\"=hex(7):${multi}
")
execute_process(COMMAND wine regedit /S "C:\\velmora-test.reg" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "wine regedit failed: ${failed}")
endif()
execute_process(COMMAND wineserver -w)
