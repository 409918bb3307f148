# mktool carry, get --visible and set --from.
mk_add_test(tst_mktool_carry LABEL unit LIBS mkcore SOURCES tst_mktool_carry.cpp)
target_compile_definitions(tst_mktool_carry PRIVATE MKTOOL_PATH="$<TARGET_FILE:mktool>")
add_dependencies(tst_mktool_carry mktool)
