mk_add_fuzz(fuzz_preview SOURCES fuzz_preview.cpp FuzzKit.h CORPUS preview_corpus RUNS 1000)
