# qarn_linux_plugin_module(<target> <export map>)
#   links a shared library a Linux host loads (<target>, already added) as
#   every plug-in library of ours is linked: the names in the export map its
#   only exports, nothing left undefined, the C++ runtime linked in so that it
#   needs only the system's libraries, the view in GLX child windows
#   (glut/x11/), and stripped in release builds.
function(qarn_linux_plugin_module target exports)
  set_target_properties(${target} PROPERTIES PREFIX "" QARN_GLUT_BACKEND x11
                                             CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_options(${target} PRIVATE -Wl,--version-script=${exports}
    -Wl,--no-undefined -Wl,--as-needed -static-libstdc++ -static-libgcc)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${exports})
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    target_link_options(${target} PRIVATE -s)
  endif()
  qarn_warnings(${target})
endfunction()
