# Cross-compiles for 64-bit Windows with Debian's mingw-w64, posix thread model (the
# win32 model has no std::thread, std::mutex or std::condition_variable in GCC 12).
# Everything is linked statically: KDX.exe imports only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KDX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KDX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KDX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KDX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KDX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

