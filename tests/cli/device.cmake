mk_add_test(tst_mktool_device LABEL link LIBS mkcore SOURCES tst_mktool_device.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/workflow/TransferKit.h)
target_include_directories(tst_mktool_device PRIVATE ${CMAKE_SOURCE_DIR}/tests/core/workflow)
target_compile_definitions(tst_mktool_device PRIVATE MKTOOL_PATH="$<TARGET_FILE:mktool>")
add_dependencies(tst_mktool_device mktool)
