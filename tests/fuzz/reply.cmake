mk_add_fuzz(fuzz_reply SOURCES fuzz_reply.cpp CORPUS reply_corpus)
