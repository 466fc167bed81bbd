# qarn_library(<name> [SOURCES <files...>] [HEADERS <files...>] [GENERATED_HEADERS <files...>] [LINKS <libs...>])
#   one static library of our own, a folder of the tree. HEADERS are what it
#   offers the targets that link it, named from the source root as they are
#   included ("state/NoteTable.h"); GENERATED_HEADERS are offered
#   likewise, written by configure_file under ${PROJECT_BINARY_DIR}/generated
#   and named from there as they are included ("resources/PanelBitmapSizes.h",
#   from resources/PanelBitmapSizes.h.in); LINKS are the libraries its
#   headers and sources need, which its users get too. Which folder may
#   include which is written down in the README's layout table and checked by
#   scripts/check-dependencies.py.
function(qarn_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;GENERATED_HEADERS;LINKS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    set(scope PUBLIC)
    qarn_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_sources(${name} ${scope} FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR} FILES ${ARG_HEADERS})
  if(ARG_GENERATED_HEADERS)
    set(generated_dir ${PROJECT_BINARY_DIR}/generated)
    list(TRANSFORM ARG_GENERATED_HEADERS PREPEND ${generated_dir}/)
    target_sources(${name} ${scope}
      FILE_SET generated_headers TYPE HEADERS BASE_DIRS ${generated_dir} FILES ${ARG_GENERATED_HEADERS})
  endif()
  target_link_libraries(${name} ${scope} ${ARG_LINKS})
  target_compile_features(${name} ${scope} cxx_std_17)
endfunction()
