# Cross-build for 64-bit Windows: the test build on machines whose Wine cannot
# run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZANTO_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
