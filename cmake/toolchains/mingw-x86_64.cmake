# 64-bit Windows (x86-64): the plug-in for 64-bit hosts.
set(QARN_MINGW_TRIPLET x86_64-w64-mingw32)
set(QARN_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/../Mingw.cmake)
