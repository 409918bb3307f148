mk_add_test(tst_mktool_help LABEL unit LIBS mkcli SOURCES tst_mktool_help.cpp)
target_compile_definitions(tst_mktool_help PRIVATE MKTOOL_PATH="$<TARGET_FILE:mktool>"
    MKTOOL_MAN="${CMAKE_BINARY_DIR}/src/cli/docs/mktool.1"
    MKTOOL_COMPLETION="${CMAKE_BINARY_DIR}/src/cli/docs/mktool.bash"
    MK_VERSION="${PROJECT_VERSION}")
add_dependencies(tst_mktool_help mktool mktool-manual)
