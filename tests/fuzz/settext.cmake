mk_add_fuzz(fuzz_settext SOURCES fuzz_settext.cpp FuzzKit.h CORPUS settext_corpus)
