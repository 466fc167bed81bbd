# qarn_library(<name> [SOURCES <files...>] [HEADERS <files...>] [LINKS <libs...>])
#   one static library of our own, a folder of the tree. HEADERS are what it
#   offers the targets that link it, named from the source root as they are
#   included ("plugin/shared/NoteTable.h"); LINKS are the libraries its
#   headers and sources need, which its users get too. Which folder may
#   include which is written down in the README's layout table and checked by
#   scripts/check-dependencies.py.
function(qarn_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;LINKS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    set(scope PUBLIC)
    qarn_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_sources(${name} ${scope} FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR} FILES ${ARG_HEADERS})
  target_link_libraries(${name} ${scope} ${ARG_LINKS})
  target_compile_features(${name} ${scope} cxx_std_17)
endfunction()
