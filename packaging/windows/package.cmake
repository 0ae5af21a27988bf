# What the Windows build makes of the executable velmora-kanji: its icon and version resource,
# the per-user installer (installer.nsi, Debian's nsis) and a zip of the executable alone, the
# last two beside the executable. Included by app/win32.cmake after the executable is defined.
find_program(VELMORA_RSVG_CONVERT rsvg-convert)
find_program(VELMORA_ICOTOOL icotool)
find_program(VELMORA_MAKENSIS makensis)
find_program(VELMORA_ZIP zip)
foreach(tool VELMORA_RSVG_CONVERT VELMORA_ICOTOOL VELMORA_MAKENSIS VELMORA_ZIP)
    if(NOT ${tool})
        message(FATAL_ERROR "${tool} not found: `bash scripts/setup.sh windows` installs the "
            "Windows build's tools")
    endif()
endforeach()

# The names Windows shows, read where the desktop build keeps them.
set(packaging ${CMAKE_CURRENT_LIST_DIR}/..)
file(STRINGS ${packaging}/org.velmora.Kanji.desktop VELMORA_PRODUCT REGEX "^Name=" LIMIT_COUNT 1)
string(REGEX REPLACE "^Name=" "" VELMORA_PRODUCT "${VELMORA_PRODUCT}")
file(STRINGS ${packaging}/org.velmora.Kanji.desktop VELMORA_COMMENT REGEX "^Comment=" LIMIT_COUNT 1)
string(REGEX REPLACE "^Comment=" "" VELMORA_COMMENT "${VELMORA_COMMENT}")
file(STRINGS ${packaging}/../debian/control VELMORA_PUBLISHER REGEX "^Maintainer:" LIMIT_COUNT 1)
string(REGEX REPLACE "^Maintainer: *([^<]*[^< ]) *<.*" "\\1" VELMORA_PUBLISHER
    "${VELMORA_PUBLISHER}")
if(NOT VELMORA_PRODUCT OR NOT VELMORA_COMMENT OR NOT VELMORA_PUBLISHER)
    message(FATAL_ERROR
        "The desktop entry's Name or Comment or debian/control's Maintainer is not found")
endif()
set(VELMORA_EXE_NAME velmora-kanji)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${packaging}/org.velmora.Kanji.desktop ${packaging}/../debian/control)

# Sizes 16 to 48 as bitmaps, which every part of Windows reads; 64 and 256 as PNG, as Windows
# stores large icons, which keeps the executable small.
set(dir ${CMAKE_CURRENT_BINARY_DIR}/windows-package)
set(ico ${dir}/velmora-kanji.ico)
set(svg ${packaging}/org.velmora.Kanji.svg)
set(pngs)
set(icon_args)
foreach(size 16 24 32 48 64 256)
    set(png ${dir}/icon/${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/icon
        COMMAND ${VELMORA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
        DEPENDS ${svg} VERBATIM)
    list(APPEND pngs ${png})
    if(size GREATER 48)
        list(APPEND icon_args -r)
    endif()
    list(APPEND icon_args ${png})
endforeach()
add_custom_command(OUTPUT ${ico}
    COMMAND ${VELMORA_ICOTOOL} -c -o ${ico} ${icon_args}
    DEPENDS ${pngs} VERBATIM)

set(VELMORA_ICO ${ico})
set(VELMORA_VERSION_COMMAS
    ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
configure_file(${CMAKE_CURRENT_LIST_DIR}/resources.rc.in ${dir}/resources.rc @ONLY)
target_sources(velmora-kanji PRIVATE ${dir}/resources.rc)
# windres reads the icon, which CMake's scanner does not see as an input.
set_source_files_properties(${dir}/resources.rc PROPERTIES
    OBJECT_DEPENDS ${ico})

# The installer and the zip, beside the executable, at the top of the build tree unless the
# executable is put elsewhere.
get_target_property(out velmora-kanji RUNTIME_OUTPUT_DIRECTORY)
if(NOT out)
    set(out ${PROJECT_BINARY_DIR})
    set_target_properties(velmora-kanji PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out})
endif()
set(exe $<TARGET_FILE:velmora-kanji>)
set(VELMORA_SETUP ${VELMORA_EXE_NAME}-${PROJECT_VERSION}-setup.exe)
set(VELMORA_ZIP_NAME ${VELMORA_EXE_NAME}-${PROJECT_VERSION}-windows-x64.zip)
add_custom_command(OUTPUT ${out}/${VELMORA_SETUP}
    COMMAND ${VELMORA_MAKENSIS} -V2 -INPUTCHARSET UTF8
        -DVERSION=${PROJECT_VERSION} -DPRODUCT=${VELMORA_PRODUCT}
        -DPUBLISHER=${VELMORA_PUBLISHER} -DCOMMENT=${VELMORA_COMMENT} -DEXE=${exe} -DICON=${ico}
        -DOUTFILE=${out}/${VELMORA_SETUP}
        ${CMAKE_CURRENT_LIST_DIR}/installer.nsi
    DEPENDS velmora-kanji ${ico} ${CMAKE_CURRENT_LIST_DIR}/installer.nsi VERBATIM)
# -X leaves out the owner and times of Unix, -j the folders: one file at the zip's top.
add_custom_command(OUTPUT ${out}/${VELMORA_ZIP_NAME}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${out}/${VELMORA_ZIP_NAME}
    COMMAND ${VELMORA_ZIP} -q -X -j -9 ${out}/${VELMORA_ZIP_NAME} ${exe}
    DEPENDS velmora-kanji VERBATIM)
add_custom_target(velmora_windows_package ALL
    DEPENDS ${out}/${VELMORA_SETUP} ${out}/${VELMORA_ZIP_NAME})
# For the installer's test, in another folder's scope.
set_target_properties(velmora_windows_package PROPERTIES VELMORA_SETUP ${out}/${VELMORA_SETUP})
