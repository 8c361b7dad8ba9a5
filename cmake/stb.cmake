# Debian's stb headers (package libstb-dev), for the PNG plug-in and the
# tests that write PNG files. Headers only: each user compiles one
# implementation file.
if(NOT TARGET stb_headers)
  set(ZANTO_STB_DIR /usr/include/stb)
  if(NOT EXISTS ${ZANTO_STB_DIR}/stb_image.h)
    message(FATAL_ERROR "stb_image.h not found in ${ZANTO_STB_DIR}: install libstb-dev (scripts/install-deps.sh)")
  endif()
  add_library(stb_headers INTERFACE)
  target_include_directories(stb_headers SYSTEM INTERFACE ${ZANTO_STB_DIR})
endif()
