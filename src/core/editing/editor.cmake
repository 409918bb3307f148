# The editor's model: rows, conversions, pages, the showing steps and cascades. Every
# source of this folder belongs to it.
file(GLOB editing_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp ${CMAKE_CURRENT_LIST_DIR}/*.h)
target_sources(mkcore PRIVATE ${editing_sources})
