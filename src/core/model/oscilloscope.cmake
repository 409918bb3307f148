target_sources(mkcore PRIVATE Oscilloscope.cpp Oscilloscope.h)
