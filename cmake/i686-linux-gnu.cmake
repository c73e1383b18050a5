# Cross-compiles a static program for i686 Linux with Debian's g++-i686-linux-gnu
# (package g++-i686-linux-gnu); run it with qemu-i386-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A static program runs under user emulation without the target's libraries.
set(WGZ_STATIC ON CACHE BOOL "Link the program fully static")
