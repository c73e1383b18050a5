# Static program for i686 Linux (package g++-i686-linux-gnu); runs under qemu-i386-static.
set(WGZ_CROSS_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
