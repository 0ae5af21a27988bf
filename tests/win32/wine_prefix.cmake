# Makes the Wine prefix PREFIX once, with the screen at DPI dots per inch and the settings of
# prefix.reg; a copy of the prefix FROM where given, which is much quicker than a second wineboot.
#   cmake -D PREFIX=<dir> -D DPI=<96|144> [-D FROM=<dir>] -P wine_prefix.cmake
cmake_minimum_required(VERSION 3.25)
if(EXISTS "${PREFIX}/system.reg")
    return()
endif()
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} -all)
# No .NET or HTML engine: the program needs neither, and wineboot would look for their installers.
# No menu builder: it would write file types and menu entries into the user's home.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=;winemenubuilder.exe=d")
if(FROM)
    file(REMOVE_RECURSE "${PREFIX}")
    file(COPY "${FROM}/" DESTINATION "${PREFIX}")
else()
    execute_process(COMMAND wineboot -i OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "wineboot failed: ${failed}")
    endif()
endif()
# The screen's dpi and the font link of prefix.reg, with one regedit: each wine command costs a
# start of Wine.
math(EXPR hex "${DPI}" OUTPUT_FORMAT HEXADECIMAL)
string(REPLACE "0x" "" hex "${hex}")
string(LENGTH "${hex}" length)
math(EXPR zeros "8 - ${length}")
string(REPEAT "0" ${zeros} pad)
set(DPI_HEX "${pad}${hex}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/prefix.reg" "${PREFIX}/drive_c/velmora-test.reg" @ONLY)
execute_process(COMMAND wine regedit /S "C:\\velmora-test.reg" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "wine regedit failed: ${failed}")
endif()
execute_process(COMMAND wineserver -w)
