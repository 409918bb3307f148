mk_add_fuzz(fuzz_tankfile SOURCES fuzz_tankfile.cpp FuzzKit.h CORPUS tankfile_corpus)
