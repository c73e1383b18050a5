# Cross-compiles a static program for Linux on another processor with
# Debian's g++-<arch>-linux-gnu; included by the <arch>-linux-gnu.cmake files,
# which set WGZ_CROSS_ARCH. A static program runs under QEMU user emulation
# without the target's libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${WGZ_CROSS_ARCH})
set(CMAKE_CXX_COMPILER ${WGZ_CROSS_ARCH}-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${WGZ_CROSS_ARCH}-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(WGZ_STATIC ON CACHE BOOL "Link the program fully static")
