# Pages "Бак", "ТО", "Унив.вход", "Допсистемы" of the settings editor dialog.
mk_add_test(tst_pagesdialog LABEL ui LIBS mkui SOURCES tst_pagesdialog.cpp)
