mk_add_fuzz(fuzz_journals SOURCES fuzz_journals.cpp CORPUS journals_corpus)
