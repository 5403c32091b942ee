# The web build, included by the top-level CMakeLists.txt under Emscripten: the backends on
# html5.h and Web Audio, the browser's player, and the site in build-web/site: the page, the
# program (.js and .wasm) and the data tree, which the page fetches file by file.

zentrox_layer(zentrox_browser SEES base resources render app/sys SOURCES
  app/sys/gl_context.cpp
  app/sys/gl_context_web.cpp
  app/sys/music_player_web.cpp
  app/sys/page_web.cpp
  app/sys/window_web.cpp
)
target_link_libraries(zentrox_browser PUBLIC zentrox_render)

target_sources(zentrox_app PRIVATE app/browser_player.cpp)

set(ZENTROX_WEB_DATA "" CACHE PATH "The data tree the site serves, as the generator wrote it")
if(NOT EXISTS ${ZENTROX_WEB_DATA}/Sounds)
  message(FATAL_ERROR "ZENTROX_WEB_DATA must name a data tree written by zentrox-data")
endif()

set(zentrox_site ${CMAKE_BINARY_DIR}/site)
add_executable(zentrox-web app/main_web.cpp)
target_link_libraries(zentrox-web PRIVATE zentrox_app zentrox_browser)
set_target_properties(zentrox-web PROPERTIES OUTPUT_NAME zentrox SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${zentrox_site})
# NOTE: no threads and no SharedArrayBuffer, so any static host serves the site without special
# headers. The page loads the files before main runs, so the program sees a complete tree.
target_link_options(zentrox-web PRIVATE
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1
  -sEXPORTED_FUNCTIONS=_main,_zentroxBegin,_zentroxSeek,_zentroxLeave
  -sEXPORTED_RUNTIME_METHODS=FS,addRunDependency,removeRunDependency
)

set(zentrox_page_files index.html page.js page.css)
set(zentrox_site_files)
foreach(file IN LISTS zentrox_page_files)
  add_custom_command(OUTPUT ${zentrox_site}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/web/${file} ${zentrox_site}/${file}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/${file}
    VERBATIM)
  list(APPEND zentrox_site_files ${zentrox_site}/${file})
endforeach()

# The data tree and its list of files, which the page loads with a progress bar of their bytes.
file(GLOB_RECURSE zentrox_web_data_files CONFIGURE_DEPENDS ${ZENTROX_WEB_DATA}/*)
add_custom_command(OUTPUT ${zentrox_site}/data/files.json
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${ZENTROX_WEB_DATA} -DTARGET=${zentrox_site}/data
    -P ${CMAKE_CURRENT_SOURCE_DIR}/web/copy_data.cmake
  DEPENDS ${zentrox_web_data_files} ${CMAKE_CURRENT_SOURCE_DIR}/web/copy_data.cmake
  VERBATIM)
list(APPEND zentrox_site_files ${zentrox_site}/data/files.json)

add_custom_target(zentrox_site ALL DEPENDS ${zentrox_site_files} zentrox-web)
