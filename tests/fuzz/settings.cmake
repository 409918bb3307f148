mk_add_fuzz(fuzz_settings SOURCES fuzz_settings.cpp CORPUS settings_corpus)
