target_sources(mkcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MKFont.cpp ${CMAKE_CURRENT_LIST_DIR}/MKFont.h
    ${CMAKE_CURRENT_LIST_DIR}/MKFontData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Preview.cpp)
