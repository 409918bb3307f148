mk_add_fuzz(fuzz_editor SOURCES fuzz_editor.cpp FuzzKit.h CORPUS editor_corpus RUNS 200)
