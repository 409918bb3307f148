# Pages "Поправки", "Источники", "Границы", "Озвуч.сообщения" and the service information
# through the model.
mk_add_test(tst_editor_corrections LABEL unit LIBS mkcore SOURCES tst_editor_corrections.cpp PagesKit.h)
mk_add_test(tst_editor_limits LABEL unit LIBS mkcore SOURCES tst_editor_limits.cpp PagesKit.h)
