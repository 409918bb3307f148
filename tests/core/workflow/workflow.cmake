# The read and write roads, backups and the section plan.
mk_add_test(tst_sectionplan LABEL unit LIBS mkcore SOURCES tst_sectionplan.cpp)
mk_add_test(tst_backupstore LABEL unit LIBS mkcore SOURCES tst_backupstore.cpp)
mk_add_test(tst_portaccess LABEL unit LIBS mkcore SOURCES tst_portaccess.cpp)
mk_add_test(tst_mktransfer_read LABEL link LIBS mkcore SOURCES tst_mktransfer_read.cpp TransferKit.h)
mk_add_test(tst_mktransfer_write LABEL link LIBS mkcore SOURCES tst_mktransfer_write.cpp TransferKit.h)
mk_add_test(tst_mktransfer_verify LABEL link LIBS mkcore SOURCES tst_mktransfer_verify.cpp TransferKit.h)
