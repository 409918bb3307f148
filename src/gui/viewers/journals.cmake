target_sources(mkui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FixedCellGrid.cpp ${CMAKE_CURRENT_LIST_DIR}/FixedCellGrid.h
    ${CMAKE_CURRENT_LIST_DIR}/JournalExport.cpp ${CMAKE_CURRENT_LIST_DIR}/JournalExport.h
    ${CMAKE_CURRENT_LIST_DIR}/MK_ViewJournals.cpp ${CMAKE_CURRENT_LIST_DIR}/MK_ViewJournals.h)
