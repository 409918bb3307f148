# NAME=VALUE texts as mktool set takes them, through the model.
mk_add_test(tst_settingassignment LABEL unit LIBS mkcore SOURCES tst_settingassignment.cpp PagesKit.h)
