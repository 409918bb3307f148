# The "Дисплей" pages through the model: colour schemes, screen parts, screen lists, hot menus.
mk_add_test(tst_colorschemes LABEL unit LIBS mkcore SOURCES tst_colorschemes.cpp PagesKit.h)
mk_add_test(tst_screenchoice LABEL unit LIBS mkcore SOURCES tst_screenchoice.cpp DisplayKit.h PagesKit.h)
mk_add_test(tst_screenenable LABEL unit LIBS mkcore SOURCES tst_screenenable.cpp DisplayKit.h PagesKit.h)
mk_add_test(tst_hotmenus LABEL unit LIBS mkcore SOURCES tst_hotmenus.cpp PagesKit.h)
