# The installed desktop entry starts the program from where it was installed: a plain command on
# the system PATH, an absolute, quoted path anywhere else (a desktop's PATH lacks ~/.local/bin).
# Run by CTest: cmake -DBUILD_DIR=<build dir> -DWORK=<scratch dir> -P desktop_entry_test.cmake

cmake_policy(VERSION 3.25)
find_program(VALIDATE desktop-file-validate)

# prefix | the Exec line expected
set(cases
    "/usr|Exec=velmora-kanji"
    "/usr/local|Exec=velmora-kanji"
    "/home/learner/.local|Exec=/home/learner/.local/bin/velmora-kanji"
    "/opt/velmora kanji|Exec=\"/opt/velmora kanji/bin/velmora-kanji\""
    "/opt/50%$off\"now|Exec=\"/opt/50%%\\\\$off\\\\\"now/bin/velmora-kanji\""
)
set(failures 0)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 prefix)
    list(GET case 1 expected)
    file(REMOVE_RECURSE "${WORK}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${WORK}"
        ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
        RESULT_VARIABLE status OUTPUT_QUIET)
    set(entry "${WORK}${prefix}/share/applications/org.velmora.Kanji.desktop")
    if(NOT status EQUAL 0 OR NOT EXISTS "${entry}")
        message(SEND_ERROR "${prefix}: install failed (${status})")
        continue()
    endif()
    file(STRINGS "${entry}" exec REGEX "^Exec=")
    if(NOT exec STREQUAL expected)
        message(SEND_ERROR "${prefix}: got '${exec}', expected '${expected}'")
    endif()
    if(VALIDATE)
        execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(SEND_ERROR "${prefix}: desktop-file-validate refuses the entry")
        endif()
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
