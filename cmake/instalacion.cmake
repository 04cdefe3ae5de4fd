# The library as hosts use it: a shared libpromorlaqel with its public headers,
# a CMake package (find_package(ProMorlaQel) → ProMorlaQel::promorlaqel) and a
# pkg-config file. `cmake --install build --prefix DIR` puts everything, and the
# promorlaqel program, under DIR.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)


# Same objects as the static core. Its dependencies stay private: the installed
# headers include only the standard library.
add_library(promorlaqel_compartida SHARED $<TARGET_OBJECTS:promorlaqel_objetos>)
set_target_properties(promorlaqel_compartida PROPERTIES
  OUTPUT_NAME promorlaqel
  EXPORT_NAME promorlaqel
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
target_include_directories(promorlaqel_compartida INTERFACE
  $<BUILD_INTERFACE:${PMQ_INCLUDE_CONSTRUCCION}>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
# Hidden visibility keeps the private classes in; the version script also keeps
# in the standard library's template instantiations, so the dynamic symbol
# table is the pmq classes and functions the public headers mark PMQ_API.
target_link_options(promorlaqel_compartida PRIVATE
  -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/promorlaqel.map)
set_property(TARGET promorlaqel_compartida APPEND PROPERTY
  LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/promorlaqel.map)
target_compile_features(promorlaqel_compartida INTERFACE cxx_std_20)
target_link_libraries(promorlaqel_compartida PRIVATE ${PMQ_DEPENDENCIAS_PRIVADAS})
add_library(ProMorlaQel::promorlaqel ALIAS promorlaqel_compartida)

# A sanitized library needs its runtime in the program that loads it.
set(PMQ_LIBS_SANITIZADOR "")
if(PMQ_SANITIZE)
  target_link_options(promorlaqel_compartida INTERFACE -fsanitize=address,undefined)
  set(PMQ_LIBS_SANITIZADOR "-fsanitize=address,undefined ")
endif()

install(TARGETS promorlaqel_compartida EXPORT ProMorlaQelTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS promorlaqel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The public headers only, each in its folder under include/promorlaqel.
foreach(h IN LISTS PMQ_ENCABEZADOS_PUBLICOS)
  get_filename_component(carpeta ${h} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${h}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/promorlaqel/${carpeta})
endforeach()

set(PMQ_DIR_CMAKE ${CMAKE_INSTALL_LIBDIR}/cmake/ProMorlaQel)
install(EXPORT ProMorlaQelTargets NAMESPACE ProMorlaQel:: DESTINATION ${PMQ_DIR_CMAKE})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ProMorlaQelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ProMorlaQelConfig.cmake INSTALL_DESTINATION ${PMQ_DIR_CMAKE})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ProMorlaQelConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ProMorlaQelConfig.cmake ${PROJECT_BINARY_DIR}/ProMorlaQelConfigVersion.cmake
  DESTINATION ${PMQ_DIR_CMAKE})

# The prefix is found from the file's own place, so any --prefix of cmake --install works.
file(RELATIVE_PATH PMQ_PC_A_PREFIJO /raiz/${CMAKE_INSTALL_LIBDIR}/pkgconfig /raiz)
string(REGEX REPLACE "/$" "" PMQ_PC_A_PREFIJO "${PMQ_PC_A_PREFIJO}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/promorlaqel.pc.in ${PROJECT_BINARY_DIR}/promorlaqel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/promorlaqel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
