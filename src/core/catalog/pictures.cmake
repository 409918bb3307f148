target_sources(mkcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/Pictures.h)
