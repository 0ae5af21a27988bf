# Writes the service worker into the built page folder: the list of every file in it, and a cache
# name that changes whenever any of them does.
#   cmake -D SITE=<folder> -D TEMPLATE=<service-worker.js> -P service-worker.cmake
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names service-worker.js)
list(SORT names)
set(content)
set(files)
foreach(name IN LISTS names)
    file(SHA256 ${SITE}/${name} sum)
    string(APPEND content "${name} ${sum}\n")
    string(APPEND files "'${name}', ")
endforeach()
string(SHA256 sum "${content}")
string(SUBSTRING ${sum} 0 16 VELMORA_SITE_HASH)
string(REGEX REPLACE ", $" "" VELMORA_SITE_FILES "${files}")
file(READ ${TEMPLATE} worker)
string(CONFIGURE "${worker}" worker @ONLY)
file(WRITE ${SITE}/service-worker.js "${worker}")
