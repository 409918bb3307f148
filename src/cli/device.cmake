# What mktool read and write share.
target_sources(mkcli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/DeviceCommand.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/DeviceCommand.h)
