# The editor dialog's frame and the walk over its pages.
mk_add_test(tst_editorframe LABEL ui LIBS mkui SOURCES tst_editorframe.cpp)
# The dialog's "OK" stores the bytes the model alone stores, over several devices.
mk_add_test(tst_editor_okbytes LABEL ui LIBS mkui SOURCES tst_editor_okbytes.cpp)
