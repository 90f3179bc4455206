# CLI11 for the cross build. CLI11 is header-only, so the build machine's copy
# serves; but its own package names all of /usr/include, whose C headers would
# then come before the cross compiler's. The cross build therefore sees only
# the CLI folder, through a link in the build folder.
find_path(LARKFOLD_CLI11_HEADERS CLI/CLI.hpp NO_CMAKE_FIND_ROOT_PATH)
if(NOT LARKFOLD_CLI11_HEADERS)
  set(CLI11_FOUND FALSE)
  set(CLI11_NOT_FOUND_MESSAGE "CLI/CLI.hpp not found (install libcli11-dev)")
  return()
endif()

set(larkfold_cli11_staged ${CMAKE_BINARY_DIR}/cli11/include)
file(MAKE_DIRECTORY ${larkfold_cli11_staged})
file(CREATE_LINK ${LARKFOLD_CLI11_HEADERS}/CLI ${larkfold_cli11_staged}/CLI SYMBOLIC)

if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${larkfold_cli11_staged})
endif()
