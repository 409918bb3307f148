if(MK_GUI)
    add_executable(DisplayRefreshBenchmark DisplayRefreshBenchmark.cpp)
    target_link_libraries(DisplayRefreshBenchmark PRIVATE mkui)
endif()
