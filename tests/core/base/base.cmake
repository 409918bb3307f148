mk_add_test(tst_justone LABEL unit LIBS mkcore SOURCES tst_justone.cpp)
