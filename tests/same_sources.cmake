# Proves that the desktop build and the browser or Windows build compile the same forms and core:
# the same files under data/, conjugation/, dictionary/, expression/ and ui/ (its interface, not
# its bindings), as each build's compile_commands.json lists them. Script mode:
#   cmake -D ROOT=<source dir> -D DESKTOP=<desktop build> -D WEB=<browser build> \
#       -P same_sources.cmake
#   cmake -D ROOT=<source dir> -D DESKTOP=<desktop build> -D WINDOWS=<Windows build> \
#       -P same_sources.cmake
cmake_minimum_required(VERSION 3.25)

# The shared sources a build compiles, relative to ROOT, sorted.
function(shared_sources build out)
    set(database "${build}/compile_commands.json")
    if(NOT EXISTS "${database}")
        message(FATAL_ERROR "${database} is missing: build that tree first")
    endif()
    file(READ "${database}" json)
    string(JSON count LENGTH "${json}")
    set(files)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        string(JSON file GET "${json}" ${i} file)
        string(JSON directory GET "${json}" ${i} directory)
        cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${directory}" NORMALIZE)
        cmake_path(IS_PREFIX ROOT "${file}" NORMALIZE inside)
        if(NOT inside)
            continue()
        endif()
        cmake_path(RELATIVE_PATH file BASE_DIRECTORY "${ROOT}")
        if(file MATCHES "^(data|conjugation|dictionary|expression)/" OR file MATCHES "^ui/[^/]+$")
            list(APPEND files "${file}")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES files)
    list(SORT files)
    set(${out} "${files}" PARENT_SCOPE)
endfunction()

shared_sources("${DESKTOP}" desktop)
if(NOT desktop)
    message(FATAL_ERROR "${DESKTOP} compiles none of the shared sources")
endif()
list(LENGTH desktop count)
foreach(build WEB WINDOWS)
    if(NOT DEFINED ${build})
        continue()
    endif()
    shared_sources("${${build}}" other)
    if(NOT desktop STREQUAL other)
        list(JOIN desktop "\n  " desktop_lines)
        list(JOIN other "\n  " other_lines)
        message(FATAL_ERROR "the builds compile different forms or core:\n"
            "desktop (${DESKTOP}):\n  ${desktop_lines}\n${build} (${${build}}):\n  ${other_lines}")
    endif()
    message(STATUS "the desktop and ${build} builds compile the same ${count} files of the forms and the core")
endforeach()
