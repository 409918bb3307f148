mk_add_test(tst_inifile LABEL unit LIBS mkcore SOURCES tst_inifile.cpp)
