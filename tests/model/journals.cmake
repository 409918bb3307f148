mk_add_test(tst_journals LABEL unit LIBS mkcore SOURCES tst_journals.cpp)
mk_add_test(tst_journalsgrids LABEL unit LIBS mkcore SOURCES tst_journalsgrids.cpp)
