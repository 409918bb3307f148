mk_add_test(tst_previewprimitives LABEL unit LIBS mkcore SOURCES tst_previewprimitives.cpp)
mk_add_test(tst_previewpictures LABEL unit LIBS mkcore SOURCES tst_previewpictures.cpp)
