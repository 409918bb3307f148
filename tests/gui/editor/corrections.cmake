# Pages "Поправки", "Источники", "Границы", "Озвуч.сообщения" and the service information
# of the settings editor dialog.
mk_add_test(tst_editor_sourcesdialog LABEL ui LIBS mkui SOURCES tst_editor_sourcesdialog.cpp)
