# The real program started under a virtual X server: a file is selected and its curves must appear.
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
find_program(IMPORT_TOOL import)
if(XVFB_RUN AND XDOTOOL AND IMPORT_TOOL)
  add_test(NAME startup_xvfb COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/startup_xvfb.sh $<TARGET_FILE:gonilux>
                                     ${CMAKE_SOURCE_DIR}/samples)
  set_tests_properties(startup_xvfb PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
else()
  message(STATUS "startup_xvfb skipped: xvfb-run, xdotool or import missing")
endif()
