mk_add_test(tst_viewjournals LABEL ui LIBS mkui SOURCES tst_viewjournals.cpp)
