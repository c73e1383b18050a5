# Static program for s390x Linux (package g++-s390x-linux-gnu); runs under qemu-s390x-static.
set(WGZ_CROSS_ARCH s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
