# Cross build of the display-free core for 64-bit Windows with Debian's
# MinGW-w64 (posix threads: std::thread and std::mutex need them), run under Wine.
#
#   cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DKZ_BUILD_UI=OFF -DKZ_BUILD_BENCH=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Only the cross compiler's own tree; the host's libraries must never be found.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs none of the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and gtest_discover_tests run the programs under Wine.
find_program(KZ_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KZ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KZ_WINE})
endif()
# Wine shows the Unix root as drive Z:, so a path baked into a test program
# must name that drive to mean the same file whatever the current drive.
set(KZ_TARGET_PATH_PREFIX "Z:")

# Boost is header-only here, and MinGW does not search /usr/include. Give it a
# folder holding only Debian's boost/, so no other host header is in reach.
set(KZ_HOST_BOOST ${CMAKE_BINARY_DIR}/host-boost)
if(NOT EXISTS ${KZ_HOST_BOOST}/boost AND EXISTS /usr/include/boost)
  file(MAKE_DIRECTORY ${KZ_HOST_BOOST})
  file(CREATE_LINK /usr/include/boost ${KZ_HOST_BOOST}/boost SYMBOLIC)
endif()
set(Boost_INCLUDE_DIR ${KZ_HOST_BOOST} CACHE PATH "Boost's headers, alone")
set(Boost_NO_BOOST_CMAKE ON)
