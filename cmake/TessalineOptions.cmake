# Compile options shared by every target of the project, carried by the
# interface target tessaline_options.
add_library(tessaline_options INTERFACE)

target_compile_options(tessaline_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
  -Wnon-virtual-dtor -Wimplicit-fallthrough)
# GCC 12 reports false -Wrestrict overlaps in std::basic_string concatenation
# when optimising (GCC bug 105329), so that warning is off for it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(tessaline_options INTERFACE -Wno-restrict)
endif()
if(TESSALINE_WERROR)
  target_compile_options(tessaline_options INTERFACE -Werror)
endif()

if(TESSALINE_SANITIZE)
  target_compile_options(tessaline_options INTERFACE -fsanitize=address,undefined
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tessaline_options INTERFACE -fsanitize=address,undefined)
endif()

if(TESSALINE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TESSALINE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(tessaline_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tessaline_options INTERFACE -fsanitize=address,undefined)
endif()
