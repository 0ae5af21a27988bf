# Run by `cmake --install`: writes the desktop entry for the prefix being installed to.
# A desktop starts Exec through its own PATH, which lacks a per-user bin directory such as
# ~/.local/bin until the next login, so any bin directory off the system PATH gets an absolute
# Exec. A system or package install keeps the plain command.
# Expects: VELMORA_DESKTOP_SOURCE, VELMORA_DESKTOP_STAGED, VELMORA_BINDIR, VELMORA_APPLICATIONS_DIR.

cmake_policy(VERSION 3.25)

set(bindir "${VELMORA_BINDIR}")
if(NOT IS_ABSOLUTE "${bindir}")
    set(bindir "${CMAKE_INSTALL_PREFIX}/${bindir}")
endif()
cmake_path(NORMAL_PATH bindir)
string(REGEX REPLACE "(.)/$" "\\1" bindir "${bindir}")

if(bindir MATCHES "^/(usr/(local/)?)?bin$")
    set(exec "velmora-kanji")
elseif(bindir MATCHES "[\n\r]")
    message(FATAL_ERROR "A desktop entry cannot start a program from a path with a line break")
else()
    set(exec "${bindir}/velmora-kanji")
    # freedesktop.org's quoting rules for Exec: reserved characters need double quotes, inside
    # which \ " ` $ are escaped; then the string escape doubles every backslash, and "%" is a
    # field code unless doubled.
    if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
        string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" exec "${exec}")
        string(REPLACE "\\" "\\\\" exec "${exec}")
        set(exec "\"${exec}\"")
    endif()
    string(REPLACE "%" "%%" exec "${exec}")
endif()

file(READ "${VELMORA_DESKTOP_SOURCE}" entry)
string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=VELMORA_EXEC" entry "${entry}")
string(REPLACE "VELMORA_EXEC" "${exec}" entry "${entry}")
file(WRITE "${VELMORA_DESKTOP_STAGED}" "${entry}")
# file(INSTALL) honours DESTDIR and records the file in install_manifest.txt. It skips a file
# no older than the staged one, which an entry for another prefix may be.
set(applications "${VELMORA_APPLICATIONS_DIR}")
if(NOT IS_ABSOLUTE "${applications}")
    set(applications "${CMAKE_INSTALL_PREFIX}/${applications}")
endif()
get_filename_component(name "${VELMORA_DESKTOP_STAGED}" NAME)
file(REMOVE "$ENV{DESTDIR}${applications}/${name}")
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${VELMORA_DESKTOP_STAGED}")
