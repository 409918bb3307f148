mk_add_test(tst_mktool_show LABEL unit LIBS mkcore SOURCES tst_mktool_show.cpp)
target_compile_definitions(tst_mktool_show PRIVATE MKTOOL_PATH="$<TARGET_FILE:mktool>")
add_dependencies(tst_mktool_show mktool)
