# 32-bit Windows (x86): the plug-in for 32-bit hosts.
set(QARN_MINGW_TRIPLET i686-w64-mingw32)
set(QARN_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/../Mingw.cmake)
