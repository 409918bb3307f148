mk_add_test(tst_oscilloscope LABEL unit LIBS mkcore SOURCES tst_oscilloscope.cpp)
