# Static program for aarch64 Linux (package g++-aarch64-linux-gnu); runs under qemu-aarch64-static.
set(WGZ_CROSS_ARCH aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
