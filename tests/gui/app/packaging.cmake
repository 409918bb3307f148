# cmake --install puts everything in its standard place.
add_test(NAME tst_install
         COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR}
                 -DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/install-check
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/CheckInstall.cmake)
set_tests_properties(tst_install PROPERTIES LABELS unit TIMEOUT 300)
