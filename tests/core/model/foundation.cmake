mk_add_test(tst_record LABEL unit LIBS mkcore SOURCES tst_record.cpp)
mk_add_test(tst_settingsfile LABEL unit LIBS mkcore SOURCES tst_settingsfile.cpp)
mk_add_test(tst_texts LABEL unit LIBS mkcore SOURCES tst_texts.cpp)
