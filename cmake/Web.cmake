# The browser front-end: nlohmann-json for the wire format and the page's files built
# into the program; it serves HTTP itself. cpp-httplib from Debian through pkg-config (its
# compile flags must match the library's build, so the imported target carries them) is
# the tests' HTTP client.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
find_package(nlohmann_json 3 REQUIRED)

# Every page file is built in, found anew at each configure: a new one needs no edit here.
file(GLOB WEB_PAGE_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/web/page/*.html
  ${CMAKE_SOURCE_DIR}/src/web/page/*.js
  ${CMAKE_SOURCE_DIR}/src/web/page/*.css)
set(WEB_PAGE_SOURCE ${CMAKE_BINARY_DIR}/generated/web_page.cpp)
add_custom_command(
  OUTPUT ${WEB_PAGE_SOURCE}
  COMMAND ${CMAKE_COMMAND} "-DOUT=${WEB_PAGE_SOURCE}" "-DFILES=${WEB_PAGE_FILES}"
          -P ${CMAKE_SOURCE_DIR}/cmake/EmbedPage.cmake
  DEPENDS ${WEB_PAGE_FILES} ${CMAKE_SOURCE_DIR}/cmake/EmbedPage.cmake
  COMMENT "Building the page into the program"
  VERBATIM)

add_library(web STATIC ${WEB_SOURCES} ${WEB_PAGE_SOURCE})
target_include_directories(web PUBLIC src)
target_link_libraries(web PUBLIC platform nlohmann_json::nlohmann_json)
