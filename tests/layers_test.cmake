# Runs the layer check on a scratch tree that holds docs/layers.md and one file per case below,
# so a table or a check that lets a forbidden arrow through fails here.
#   cmake -D ROOT=<source dir> -D WORK=<scratch dir> -D QT_CORE_DIR=<dir> -P tests/layers_test.cmake
cmake_minimum_required(VERSION 3.25)

# One case for each way the check reads the table, not one for each of its rows.
# from   include                          verdict
set(cases [=[
data         "data/text.h"                    allowed
data         "conjugation/conjugation.h"      refused
conjugation  "data/text.h"                    allowed
conjugation  "data/kanji_table.h"             refused
ui           "ui/qt/native.h"                 refused
ui/qt        <QWidget>                        allowed
ui/qt        "ui/controls.h"                  allowed
dictionary   "../ui/web/native.h"             refused
dictionary   <QtWidgets/QWidget>              refused
expression   "form2.h"                        allowed
app          <QApplication>                   refused
app          <QString>                        allowed
app          <QtCore/QString>                 allowed
tests        <QApplication>                   allowed
]=])

file(REMOVE_RECURSE "${WORK}")
file(COPY "${ROOT}/docs/layers.md" DESTINATION "${WORK}/docs")
foreach(folder data conjugation ui ui/qt ui/web dictionary expression app tests stray ui/stray)
    file(WRITE "${WORK}/${folder}/CMakeLists.txt" "")
endforeach()
foreach(header data/text.h data/kanji_table.h conjugation/conjugation.h ui/controls.h ui/window.h
    ui/qt/widgets.h ui/qt/native.h ui/web/native.h dictionary/form1.h expression/form2.h
    app/program.h)
    file(WRITE "${WORK}/${header}" "#pragma once\n")
endforeach()

string(REPLACE "\n" ";" cases "${cases}")
set(number 0)
set(expected)
foreach(case IN LISTS cases)
    if(NOT case MATCHES "^([a-z/]+) +([^ ]+) +(allowed|refused)$")
        continue()
    endif()
    math(EXPR number "${number} + 1")
    set(file "${CMAKE_MATCH_1}/case${number}.cpp")
    file(WRITE "${WORK}/${file}" "// ${CMAKE_MATCH_3}\n#include ${CMAKE_MATCH_2}\n")
    list(APPEND expected "${file}:2: #include ${CMAKE_MATCH_2}|${CMAKE_MATCH_3}")
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" -D "ROOT=${WORK}" -D "QT_CORE_DIR=${QT_CORE_DIR}"
    -P "${ROOT}/tests/layers.cmake"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

set(wrong)
foreach(case IN LISTS expected)
    string(REGEX MATCH "^(.*)\\|(allowed|refused)$" _ "${case}")
    set(report "${CMAKE_MATCH_1} is not allowed")
    set(verdict ${CMAKE_MATCH_2})
    string(FIND "${output}" "${report}" at)
    if(verdict STREQUAL "refused" AND at EQUAL -1)
        list(APPEND wrong "let through: ${CMAKE_MATCH_1}")
    elseif(verdict STREQUAL "allowed" AND NOT at EQUAL -1)
        list(APPEND wrong "refused: ${CMAKE_MATCH_1}")
    endif()
endforeach()
foreach(stray stray ui/stray)
    if(NOT output MATCHES "${stray}/: the folder has no row")
        list(APPEND wrong "the folder ${stray}/ without a row went unreported")
    endif()
endforeach()
if(result EQUAL 0)
    list(APPEND wrong "the check passed a tree that breaks the layers")
endif()

if(wrong)
    list(JOIN wrong "\n  " wrong)
    message(FATAL_ERROR "the layer check judged wrongly:\n  ${wrong}\nits output:\n${output}")
endif()
message(STATUS "layers_test: ${number} includes judged as expected")
