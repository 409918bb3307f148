# The "Дисплей" pages of the settings editor dialog: colours, screens, hot menus, "Разное".
mk_add_test(tst_displaycolors LABEL ui LIBS mkui SOURCES tst_displaycolors.cpp DisplayDialogKit.h)
mk_add_test(tst_displayscreens LABEL ui LIBS mkui SOURCES tst_displayscreens.cpp DisplayDialogKit.h)
