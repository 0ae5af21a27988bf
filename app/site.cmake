# What makes the page installable and offline after the first visit: the manifest, its icons
# drawn from the one SVG, and a service worker whose cache is named after the folder's content.
find_program(VELMORA_RSVG_CONVERT rsvg-convert REQUIRED)
set(svg ${PROJECT_SOURCE_DIR}/packaging/org.velmora.Kanji.svg)
configure_file(manifest.webmanifest ${VELMORA_WEB_DIR}/manifest.webmanifest COPYONLY)

# name, size, drawn size; a drawn size below the size puts the icon on the title's blue, inside
# the circle that a maskable icon keeps (and iOS, which fills transparency with black).
set(icons)
foreach(icon icon-192:192:192 icon-512:512:512 icon-maskable-512:512:352
        apple-touch-icon:180:140)
    string(REPLACE ":" ";" icon ${icon})
    list(GET icon 0 name)
    list(GET icon 1 size)
    list(GET icon 2 drawn)
    math(EXPR margin "(${size} - ${drawn}) / 2")
    set(background)
    if(margin GREATER 0)
        set(background --background-color "#23406b")
    endif()
    add_custom_command(OUTPUT ${VELMORA_WEB_DIR}/${name}.png
        COMMAND ${VELMORA_RSVG_CONVERT} -w ${drawn} -h ${drawn} --page-width ${size}
            --page-height ${size} --left ${margin} --top ${margin} ${background}
            -o ${VELMORA_WEB_DIR}/${name}.png ${svg}
        DEPENDS ${svg} VERBATIM)
    list(APPEND icons ${VELMORA_WEB_DIR}/${name}.png)
endforeach()

add_custom_command(OUTPUT ${VELMORA_WEB_DIR}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -D SITE=${VELMORA_WEB_DIR}
        -D TEMPLATE=${CMAKE_CURRENT_SOURCE_DIR}/service-worker.js
        -P ${CMAKE_CURRENT_SOURCE_DIR}/service-worker.cmake
    DEPENDS velmora-kanji ${VELMORA_PAGE_SCRIPT} ${icons} service-worker.js service-worker.cmake
        ${VELMORA_WEB_DIR}/index.html manifest.webmanifest ${svg}
    VERBATIM)
add_custom_target(velmora_site ALL DEPENDS ${VELMORA_WEB_DIR}/service-worker.js)
