mk_add_test(tst_mktool_editor LABEL unit LIBS mkcore SOURCES tst_mktool_editor.cpp)
target_compile_definitions(tst_mktool_editor PRIVATE MKTOOL_PATH="$<TARGET_FILE:mktool>")
add_dependencies(tst_mktool_editor mktool)
