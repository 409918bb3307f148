mk_add_test(tst_previewprimitives LABEL unit LIBS mkcore SOURCES tst_previewprimitives.cpp)
mk_add_test(tst_previewpictures LABEL unit LIBS mkcore SOURCES tst_previewpictures.cpp)
mk_add_test(tst_previewscreens LABEL unit LIBS mkcore SOURCES tst_previewscreens.cpp)
mk_add_test(tst_previewtool LABEL unit LIBS mkcli SOURCES tst_previewtool.cpp)
