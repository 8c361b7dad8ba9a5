# One place for the compiler flags every target of ours gets.
option(ZANTO_WERROR "Treat warnings as errors" OFF)

add_library(zanto_flags INTERFACE)
target_compile_features(zanto_flags INTERFACE cxx_std_17)
target_compile_options(zanto_flags INTERFACE -Wall -Wextra $<$<BOOL:${ZANTO_WERROR}>:-Werror>)
# ANSI Win32 API, no min/max macros, Windows 7 as the oldest target.
target_compile_definitions(zanto_flags INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
target_link_options(zanto_flags INTERFACE -static -static-libgcc -static-libstdc++)
