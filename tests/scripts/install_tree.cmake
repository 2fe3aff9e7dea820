# The install rules and the desktop files, checked in a throwaway prefix.
add_test(NAME install_tree COMMAND ${CMAKE_CURRENT_LIST_DIR}/install_tree.sh ${CMAKE_BINARY_DIR}
                                   ${CMAKE_SOURCE_DIR}/samples/downlight_axial.ies)
set_tests_properties(install_tree PROPERTIES TIMEOUT 300)
