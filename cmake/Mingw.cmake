# Cross-compiles for Windows with MinGW-w64; included by the toolchain files in
# cmake/toolchains/, which name the target (QARN_MINGW_TRIPLET, QARN_MINGW_PROCESSOR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QARN_MINGW_PROCESSOR})

# The posix thread model: its C++ library has std::thread and std::mutex
# (GoogleTest needs them); winpthread is linked statically like the rest.
set(CMAKE_C_COMPILER ${QARN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QARN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QARN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QARN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The host loads one DLL: the C and C++ runtimes are linked in, so that it
# imports nothing but Windows system DLLs. Test programs are linked the same
# way and so run under Wine without MinGW's runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
