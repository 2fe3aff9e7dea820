# End-to-end runs of the real program under a virtual X server with real X input: two runs, screenshots of
# every step kept in e2e-artefacts/ of the build tree, checked by pixel facts and by the settings file.
find_program(E2E_XVFB_RUN xvfb-run)
find_program(E2E_XDOTOOL xdotool)
find_program(E2E_IMPORT import)
find_program(E2E_CONVERT convert)
find_program(E2E_OPENBOX openbox)
find_program(E2E_XPROP xprop)
find_program(E2E_XCLIP xclip)
find_package(X11)
if(E2E_XVFB_RUN AND E2E_XDOTOOL AND E2E_IMPORT AND E2E_CONVERT AND E2E_OPENBOX AND E2E_XPROP AND E2E_XCLIP AND X11_FOUND)
  # Closes a window as a window manager's close button does (most of the runs have no window manager), or asks
  # the window manager to maximise it.
  add_executable(e2e_close_window ${CMAKE_CURRENT_LIST_DIR}/e2e_close_window.cpp)
  target_link_libraries(e2e_close_window PRIVATE X11::X11)
  add_test(NAME e2e_xdotool
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/e2e_xdotool.sh $<TARGET_FILE:gonilux> ${CMAKE_SOURCE_DIR}/samples
                   $<TARGET_FILE:e2e_close_window> ${CMAKE_CURRENT_BINARY_DIR}/e2e-artefacts)
  set_tests_properties(e2e_xdotool PROPERTIES TIMEOUT 360 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
else()
  message(STATUS "e2e_xdotool skipped: xvfb-run, xdotool, xprop, xclip, openbox, ImageMagick or the X11 library missing")
endif()

# The real message boxes: a binary file's error answered with Enter, the window going on, and a settings path
# that cannot be written reported once per section at the end, after which the program still ends.
if(TARGET e2e_close_window)
  add_test(NAME e2e_messages
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/e2e_messages.sh $<TARGET_FILE:gonilux> ${CMAKE_SOURCE_DIR}/samples
                   $<TARGET_FILE:e2e_close_window> ${CMAKE_CURRENT_BINARY_DIR}/e2e-messages-artefacts)
  set_tests_properties(e2e_messages PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
endif()
