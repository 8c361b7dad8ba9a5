# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threading model): the
# test build on machines whose Wine cannot run 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZANTO_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZANTO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZANTO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZANTO_TRIPLET}-windres)
set(CMAKE_AR           ${ZANTO_TRIPLET}-ar)
set(CMAKE_RANLIB       ${ZANTO_TRIPLET}-ranlib)

set(CMAKE_FIND_ROOT_PATH /usr/${ZANTO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs every Windows test program through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
