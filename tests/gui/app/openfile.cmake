# Opening a settings file from the command line and the desktop; the file types.
mk_add_test(tst_mainform_openfile LABEL ui LIBS mkui SOURCES tst_mainform_openfile.cpp MainFormKit.h)
mk_add_test(tst_mainform_verify LABEL link LIBS mkui SOURCES tst_mainform_verify.cpp MainFormKit.h
    ${CMAKE_SOURCE_DIR}/tests/core/workflow/TransferKit.h)
target_include_directories(tst_mainform_verify PRIVATE ${CMAKE_SOURCE_DIR}/tests/core/workflow)

find_program(MK_XMLLINT xmllint)
find_program(MK_UPDATE_MIME_DATABASE update-mime-database)
add_test(NAME tst_mimetypes
         COMMAND ${CMAKE_COMMAND} -DMIME_FILE=${CMAKE_SOURCE_DIR}/packaging/params32-mime.xml
                 -DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/mime-check -DXMLLINT=${MK_XMLLINT}
                 -DUPDATE_MIME_DATABASE=${MK_UPDATE_MIME_DATABASE}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/CheckMime.cmake)
set_tests_properties(tst_mimetypes PROPERTIES LABELS unit)
# A second start hands its file to the running copy.
mk_add_test(tst_instancechannel LABEL unit LIBS mkui SOURCES tst_instancechannel.cpp)
mk_add_test(tst_mainform_handover LABEL ui LIBS mkui SOURCES tst_mainform_handover.cpp MainFormKit.h)
