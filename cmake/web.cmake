# The web server of `promorlaqel servir`: cpp-httplib, and the files of the web
# application embedded in the program (every byte as an escape, so any
# content is safe in the generated source).
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

file(GLOB PMQ_ESTATICOS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/web/estatico/*)
list(SORT PMQ_ESTATICOS)
set(PMQ_ESTATICO_TABLA "")
foreach(archivo IN LISTS PMQ_ESTATICOS)
  get_filename_component(nombre ${archivo} NAME)
  file(READ ${archivo} hex HEX)
  string(LENGTH "${hex}" largo)
  math(EXPR largo "${largo} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escapado "${hex}")
  string(APPEND PMQ_ESTATICO_TABLA "    {\"${nombre}\"sv, std::string_view(\"${escapado}\", ${largo})},\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${archivo})
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/cmake/estatico_web.cpp.in
  ${PROJECT_BINARY_DIR}/generated/estatico_web.cpp @ONLY)

file(GLOB PMQ_WEB_FUENTES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/web/*.cpp)
target_sources(promorlaqel PRIVATE ${PMQ_WEB_FUENTES} ${PROJECT_BINARY_DIR}/generated/estatico_web.cpp)
target_link_libraries(promorlaqel PRIVATE PkgConfig::HTTPLIB)
# The program's own headers, the command line's and the server's, as "x.h".
target_include_directories(promorlaqel PRIVATE ${PROJECT_SOURCE_DIR}/src/cli ${PROJECT_SOURCE_DIR}/src/web)
