mk_add_test(tst_recordfields LABEL unit LIBS mkcore SOURCES tst_recordfields.cpp)
