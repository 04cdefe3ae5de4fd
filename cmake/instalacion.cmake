# The library as hosts use it: a shared libpromorlaqel with its public headers,
# a CMake package (find_package(ProMorlaQel) → ProMorlaQel::promorlaqel) and a
# pkg-config file. `cmake --install build --prefix DIR` puts everything, and the
# promorlaqel program, under DIR.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PMQ_INCLUDE_INSTALADO ${CMAKE_INSTALL_INCLUDEDIR}/promorlaqel)

# Same objects as the static core. Its dependencies stay private: the installed
# headers include only the standard library.
add_library(promorlaqel_compartida SHARED $<TARGET_OBJECTS:promorlaqel_objetos>)
set_target_properties(promorlaqel_compartida PROPERTIES
  OUTPUT_NAME promorlaqel
  EXPORT_NAME promorlaqel
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
target_include_directories(promorlaqel_compartida INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
  $<INSTALL_INTERFACE:${PMQ_INCLUDE_INSTALADO}>)
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

# Every header of the library in its folder; the command line's are the program's own.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION ${PMQ_INCLUDE_INSTALADO}
  FILES_MATCHING PATTERN "*.h"
  PATTERN "cli" EXCLUDE)

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
