# The main window, the progress window, the port dialog and the program itself.
mk_add_test(tst_mainform_transfer LABEL link LIBS mkui SOURCES tst_mainform_transfer.cpp MainFormKit.h
    ${CMAKE_SOURCE_DIR}/tests/core/workflow/TransferKit.h)
target_include_directories(tst_mainform_transfer PRIVATE ${CMAKE_SOURCE_DIR}/tests/core/workflow)
mk_add_test(tst_progressform LABEL ui LIBS mkui SOURCES tst_progressform.cpp)
mk_add_test(tst_mainformlayout LABEL ui LIBS mkui SOURCES tst_mainformlayout.cpp MainFormKit.h)
mk_add_test(tst_mainform_startup LABEL link LIBS mkui SOURCES tst_mainform_startup.cpp MainFormKit.h)
mk_add_test(tst_mainform_files LABEL ui LIBS mkui SOURCES tst_mainform_files.cpp MainFormKit.h)
mk_add_test(tst_portdialog LABEL ui LIBS mkui SOURCES tst_portdialog.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/link/FakePorts.h)
target_include_directories(tst_portdialog PRIVATE ${CMAKE_SOURCE_DIR}/tests/core/link)
mk_add_test(tst_params32 LABEL ui LIBS mkcore SOURCES tst_params32.cpp)
target_compile_definitions(tst_params32 PRIVATE PARAMS32_PATH="$<TARGET_FILE:Params32>"
    MK_VERSION="${PROJECT_VERSION}")
add_dependencies(tst_params32 Params32)
mk_add_test(tst_mainform_editor LABEL ui LIBS mkui SOURCES tst_mainform_editor.cpp MainFormKit.h)
mk_add_test(tst_mainform_compare LABEL link LIBS mkui SOURCES tst_mainform_compare.cpp MainFormKit.h
    ${CMAKE_SOURCE_DIR}/tests/core/workflow/TransferKit.h)
target_include_directories(tst_mainform_compare PRIVATE ${CMAKE_SOURCE_DIR}/tests/core/workflow)
