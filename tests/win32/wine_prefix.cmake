# Makes the Wine prefix PREFIX, with the screen at DPI dots per inch and the settings of
# prefix.reg; a copy of the prefix FROM where given, which is much quicker than a second wineboot.
# A prefix is kept while what made it is the same (Wine's version, the dpi, prefix.reg and this
# script), and made anew otherwise; one that a failed or killed run left half made has no key.
#   cmake -D PREFIX=<dir> -D DPI=<96|144> [-D FROM=<dir>] -P wine_prefix.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND wine --version OUTPUT_VARIABLE wine OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
file(SHA256 "${CMAKE_CURRENT_LIST_DIR}/prefix.reg" settings)
file(SHA256 "${CMAKE_CURRENT_LIST_FILE}" script)
set(key "${wine}, ${DPI} dpi, prefix.reg ${settings}, wine_prefix.cmake ${script}\n")
set(key_file "${PREFIX}/velmora-prefix.key")
if(EXISTS "${key_file}")
    file(READ "${key_file}" made)
    if(made STREQUAL key)
        return()
    endif()
    message(STATUS "Making ${PREFIX} anew: it was made by ${made}")
endif()
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} -all)
# No .NET or HTML engine: the program needs neither, and wineboot would look for their installers.
# No menu builder: it would write file types and menu entries into the user's home.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=;winemenubuilder.exe=d")
# A failed step leaves no Wine process of the prefix behind, nor does a prefix made anew.
macro(fail message)
    execute_process(COMMAND wineserver -k ERROR_QUIET)
    message(FATAL_ERROR "${message}")
endmacro()
if(EXISTS "${PREFIX}")
    execute_process(COMMAND wineserver -k OUTPUT_QUIET ERROR_QUIET)
    file(REMOVE_RECURSE "${PREFIX}")
endif()
if(FROM)
    file(COPY "${FROM}/" DESTINATION "${PREFIX}")
    file(REMOVE "${key_file}")
else()
    execute_process(COMMAND wineboot -i OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
    if(failed)
        fail("wineboot failed: ${failed}")
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
    fail("wine regedit failed: ${failed}")
endif()
execute_process(COMMAND wineserver -w)
file(WRITE "${key_file}" "${key}")
