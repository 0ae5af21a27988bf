# The page: index.html and one script with the module inside it, so that the folder works
# from any static host and from disk (file://), where a separate module cannot be fetched.
set(VELMORA_WEB_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Where the page is written")
add_executable(velmora-kanji web_main.cpp)
target_link_libraries(velmora-kanji PRIVATE velmora_app velmora_build_options)
target_link_options(velmora-kanji PRIVATE
    -sENVIRONMENT=web -sFILESYSTEM=0 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1
    -sASYNCIFY -sASYNCIFY_IMPORTS=[velmora_clipboard_text,velmora_message,velmora_input]
    -sEXPORTED_FUNCTIONS=[_main,_malloc,_free,_velmora_click,_velmora_readable_text_colour])
set_target_properties(velmora-kanji PROPERTIES SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${VELMORA_WEB_DIR})
configure_file(index.html ${VELMORA_WEB_DIR}/index.html COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/org.velmora.Kanji.svg
    ${VELMORA_WEB_DIR}/org.velmora.Kanji.svg COPYONLY)
# Installable, and offline after the first visit.
include(${CMAKE_CURRENT_SOURCE_DIR}/site.cmake)
