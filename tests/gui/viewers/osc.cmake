mk_add_test(tst_viewosc LABEL ui LIBS mkui SOURCES tst_viewosc.cpp)
mk_add_test(tst_viewosc_drawing LABEL ui LIBS mkui SOURCES tst_viewosc_drawing.cpp)
