# Makes the Wine prefix PREFIX once, with the screen at DPI dots per inch and the font link that
# Windows has for its UI face (CJK letters in a Latin face fall back to a Japanese one).
#   cmake -D PREFIX=<dir> -D DPI=<96|144> -P wine_prefix.cmake
cmake_minimum_required(VERSION 3.25)
if(EXISTS "${PREFIX}/system.reg")
    return()
endif()
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} -all)
execute_process(COMMAND wineboot -i OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "wineboot failed: ${failed}")
endif()
math(EXPR hex "${DPI}" OUTPUT_FORMAT HEXADECIMAL)
foreach(entry
        "HKCU\\Control Panel\\Desktop|LogPixels|REG_DWORD|${DPI}"
        "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts|LogPixels|REG_DWORD|${DPI}"
        "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink|DejaVu Sans Condensed|REG_MULTI_SZ|ipagp.ttf,IPAPGothic")
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 key)
    list(GET fields 1 value)
    list(GET fields 2 type)
    list(GET fields 3 data)
    execute_process(COMMAND wine reg add "${key}" /v "${value}" /t ${type} /d "${data}" /f
        OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "wine reg add ${key} ${value} failed")
    endif()
endforeach()
execute_process(COMMAND wineserver -w)
