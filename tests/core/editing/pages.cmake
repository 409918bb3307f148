# Pages "Бак", "ТО", "Средние", "Парковка", "Унив.вход", "Допсистемы" through the model.
mk_add_test(tst_tankpage LABEL unit LIBS mkcore SOURCES tst_tankpage.cpp PagesKit.h)
mk_add_test(tst_servicepages LABEL unit LIBS mkcore SOURCES tst_servicepages.cpp PagesKit.h)
mk_add_test(tst_extraspages LABEL unit LIBS mkcore SOURCES tst_extraspages.cpp PagesKit.h)
