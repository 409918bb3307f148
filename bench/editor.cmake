if(MK_GUI)
    add_executable(EditorOpenBenchmark EditorOpenBenchmark.cpp)
    target_link_libraries(EditorOpenBenchmark PRIVATE mkui)
endif()
