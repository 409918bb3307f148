# A write stopped by a version message carries the settings onto the attached MK.
mk_add_test(tst_mainform_carry LABEL link LIBS mkui SOURCES tst_mainform_carry.cpp MainFormKit.h
    ${CMAKE_SOURCE_DIR}/tests/core/workflow/TransferKit.h)
target_include_directories(tst_mainform_carry PRIVATE ${CMAKE_SOURCE_DIR}/tests/core/workflow)
