# cmake --install puts everything in its standard place, and the desktop's validators take
# the desktop entry and the AppStream metadata.
find_program(MK_APPSTREAMCLI appstreamcli)
find_program(MK_DESKTOP_FILE_VALIDATE desktop-file-validate)
add_test(NAME tst_install
         COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR}
                 -DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/install-check
                 -DAPPSTREAMCLI=${MK_APPSTREAMCLI}
                 -DDESKTOP_FILE_VALIDATE=${MK_DESKTOP_FILE_VALIDATE}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/CheckInstall.cmake)
set_tests_properties(tst_install PROPERTIES LABELS unit TIMEOUT 300)
