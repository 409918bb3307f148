target_sources(mkcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Journals.cpp ${CMAKE_CURRENT_LIST_DIR}/Journals.h
    ${CMAKE_CURRENT_LIST_DIR}/JournalGrids.cpp ${CMAKE_CURRENT_LIST_DIR}/JournalGrids.h)
