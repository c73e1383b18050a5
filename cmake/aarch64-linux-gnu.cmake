# Cross-compiles a static program for aarch64 Linux with Debian's g++-aarch64-linux-gnu
# (package g++-aarch64-linux-gnu); run it with qemu-aarch64-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A static program runs under user emulation without the target's libraries.
set(WGZ_STATIC ON CACHE BOOL "Link the program fully static")
