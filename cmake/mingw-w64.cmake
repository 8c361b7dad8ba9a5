# Shared part of the MinGW-w64 toolchain files: Debian's cross compiler of
# ZANTO_TRIPLET (posix threading model), set by the file that includes this.
set(CMAKE_SYSTEM_NAME Windows)

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
