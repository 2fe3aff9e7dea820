# GONILUX_TEST_CLI: the gonilux-cli the suites start. Natively it is the program itself; in a cross build with an
# emulator (CMAKE_CROSSCOMPILING_EMULATOR, set by the toolchain file) it is a host shell script that runs the
# program in the emulator, because the host cannot start a foreign executable by itself.
set(GONILUX_TEST_CLI "$<TARGET_FILE:gonilux-cli>")
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR "' '" emulator)
  set(GONILUX_TEST_CLI "${CMAKE_BINARY_DIR}/gonilux-cli-emulated")
  file(GENERATE OUTPUT ${GONILUX_TEST_CLI}
       CONTENT "#!/bin/sh\nexec '${emulator}' '$<TARGET_FILE:gonilux-cli>' \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
