# The release packages (scripts/package.sh runs cpack in the build that
# makes each):
#   QarnViewer-<version>-<win32|win64>.zip holding the plug-in DLL, its CLAP
#     build, its VST 3 bundle, our host, the demo song and a short text on installing the
#     plug-in into a DAW;
#   QarnViewer-<version>-linux-x86_64.tar.gz holding the Linux plug-in, its
#     CLAP build, the VST 3 and LV2 bundles and their installation text.
# Packaging builds nothing itself: scripts/package.sh builds the plug-in (and
# the host) first, and the tests need not be built to make a package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_NAME QarnViewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

if(NOT WIN32)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/INSTALL-linux.txt.in ${CMAKE_BINARY_DIR}/INSTALL.txt @ONLY)
  install(PROGRAMS $<TARGET_FILE:QarnViewer> $<TARGET_FILE:QarnViewerClap> DESTINATION .)
  install(FILES ${CMAKE_BINARY_DIR}/INSTALL.txt DESTINATION .)
  install(DIRECTORY ${QARN_LV2_BUNDLE} ${QARN_VST3_BUNDLE} DESTINATION . USE_SOURCE_PERMISSIONS)
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME QarnViewer-${PROJECT_VERSION}-linux-x86_64)
  include(CPack)
  return()
endif()

if(QARN_WINDOWS_TARGET STREQUAL "win64")
  set(QARN_PACKAGE_WIDTH 64-bit)
  set(QARN_PACKAGE_OTHER_WIDTH 32-bit)
  set(QARN_PACKAGE_OTHER_TARGET win32)
  set(QARN_PACKAGE_PROGRAM_FILES "C:\\Program Files")
else()
  set(QARN_PACKAGE_WIDTH 32-bit)
  set(QARN_PACKAGE_OTHER_WIDTH 64-bit)
  set(QARN_PACKAGE_OTHER_TARGET win64)
  set(QARN_PACKAGE_PROGRAM_FILES "C:\\Program Files (x86)")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/INSTALL.txt.in ${CMAKE_BINARY_DIR}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)

install(PROGRAMS $<TARGET_FILE:QarnViewer> $<TARGET_FILE:QarnViewerClap> $<TARGET_FILE:QarnHost> DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/host/demo/demo-song.mid ${CMAKE_BINARY_DIR}/INSTALL.txt DESTINATION .)
install(DIRECTORY ${QARN_VST3_BUNDLE} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME QarnViewer-${PROJECT_VERSION}-${QARN_WINDOWS_TARGET})
include(CPack)
