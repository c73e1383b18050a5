# Cross-compiles a static program for s390x Linux with Debian's g++-s390x-linux-gnu
# (package g++-s390x-linux-gnu); run it with qemu-s390x-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CMAKE_CXX_COMPILER s390x-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/s390x-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A static program runs under user emulation without the target's libraries.
set(WGZ_STATIC ON CACHE BOOL "Link the program fully static")
