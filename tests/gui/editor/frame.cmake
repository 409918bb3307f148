# The editor dialog's frame and the walk over its pages.
mk_add_test(tst_editorframe LABEL ui LIBS mkui SOURCES tst_editorframe.cpp)
