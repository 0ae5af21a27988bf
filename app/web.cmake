# The page: index.html, the page's DOM code as one classic script (ui/web/page/ bundled), and one
# script with the module inside it, so that the folder works from any static host and from disk
# (file://), where a module script or a separate WebAssembly file cannot be fetched.
set(VELMORA_WEB_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Where the page is written")
add_executable(velmora-kanji web_main.cpp)
target_link_libraries(velmora-kanji PRIVATE velmora_app velmora_build_options)
# What page.js calls in the program.
set(exports _main _malloc _free _velmora_click _velmora_accepting _velmora_recover
    _velmora_readable_text_colour)
list(JOIN exports , exports)
target_link_options(velmora-kanji PRIVATE
    -sENVIRONMENT=web -sFILESYSTEM=0 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1
    -sASYNCIFY -sASYNCIFY_IMPORTS=[velmora_clipboard_text,velmora_message,velmora_input]
    -sEXPORTED_FUNCTIONS=[${exports}]
    # page.js runs each handler through ccall, which emscripten 3.1.6 always includes and later
    # versions only when asked.
    -sEXPORTED_RUNTIME_METHODS=[ccall])
set_target_properties(velmora-kanji PROPERTIES SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${VELMORA_WEB_DIR})

# page.js, the emscripten library, calls its exports as the global VelmoraDom.
find_program(VELMORA_ESBUILD esbuild REQUIRED)
file(GLOB page_modules CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/ui/web/page/*.js)
set(VELMORA_PAGE_SCRIPT ${VELMORA_WEB_DIR}/velmora-page.js)
add_custom_command(OUTPUT ${VELMORA_PAGE_SCRIPT}
    COMMAND ${VELMORA_ESBUILD} ${PROJECT_SOURCE_DIR}/ui/web/page/main.js --bundle --format=iife
        --global-name=VelmoraDom --minify --log-level=warning --outfile=${VELMORA_PAGE_SCRIPT}
    DEPENDS ${page_modules} VERBATIM)

# index.html with the dictionary window drawn in it by the program itself, run on jsdom (Debian's
# node-jsdom), so that the page shows the window before its script has arrived.
list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 node)
find_path(VELMORA_NODE_MODULES jsdom/package.json PATHS /usr/share/nodejs NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_custom_command(OUTPUT ${VELMORA_WEB_DIR}/index.html
    COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${VELMORA_NODE_MODULES} ${node}
        ${CMAKE_CURRENT_SOURCE_DIR}/draw.mjs ${CMAKE_CURRENT_SOURCE_DIR}/index.html
        ${VELMORA_PAGE_SCRIPT} $<TARGET_FILE:velmora-kanji> ${VELMORA_WEB_DIR}/index.html
    DEPENDS draw.mjs index.html velmora-kanji ${VELMORA_PAGE_SCRIPT} VERBATIM)
configure_file(${PROJECT_SOURCE_DIR}/packaging/org.velmora.Kanji.svg
    ${VELMORA_WEB_DIR}/org.velmora.Kanji.svg COPYONLY)
# Installable, and offline after the first visit.
include(${CMAKE_CURRENT_SOURCE_DIR}/site.cmake)
