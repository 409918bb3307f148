mk_add_test(tst_mktool_files LABEL unit LIBS mkcore SOURCES tst_mktool_files.cpp)
target_compile_definitions(tst_mktool_files PRIVATE MKTOOL_PATH="$<TARGET_FILE:mktool>")
add_dependencies(tst_mktool_files mktool)
