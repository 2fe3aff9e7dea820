# Cross build for 64-bit ARM Linux with Debian's cross compiler (g++-aarch64-linux-gnu), libraries and headers
# from /usr/aarch64-linux-gnu. Programs built here run on the build machine under qemu-user (qemu-aarch64), which
# ctest puts in front of every test program. Configure with -DGONILUX_WITH_QT=OFF: there is no Qt for aarch64 here.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(GONILUX_CROSS_ROOT /usr/aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Libraries, headers and CMake packages only from the target's root (and from prefixes named on the command line,
# such as the cross-built googletest through GTest_DIR); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH ${GONILUX_CROSS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The emulator finds the target's dynamic loader and C and C++ libraries under the same root.
find_program(GONILUX_QEMU_AARCH64 qemu-aarch64)
if(GONILUX_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GONILUX_QEMU_AARCH64} -L ${GONILUX_CROSS_ROOT})
endif()
