# The Windows program: one static executable with its manifest and version in its resources.
set(manifest ${CMAKE_CURRENT_SOURCE_DIR}/velmora-kanji.manifest)
configure_file(velmora-kanji.rc.in velmora-kanji.rc @ONLY)
add_executable(velmora-kanji WIN32 win32_main.cpp ${CMAKE_CURRENT_BINARY_DIR}/velmora-kanji.rc)
target_link_libraries(velmora-kanji PRIVATE velmora_app velmora_build_options)
target_link_options(velmora-kanji PRIVATE -municode)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/velmora-kanji.rc PROPERTIES
    OBJECT_DEPENDS ${manifest})
# MinSizeRel: no symbols in the program that is shipped.
target_link_options(velmora-kanji PRIVATE $<$<CONFIG:MinSizeRel,Release>:-s>)
install(TARGETS velmora-kanji RUNTIME DESTINATION .)
# Its icon and version, the installer and the zip.
include(${PROJECT_SOURCE_DIR}/packaging/windows/package.cmake)
