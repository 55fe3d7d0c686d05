# Test files: written and read back, and hostile ones refused.
kovra_add_test(test_testfile SOURCES test_testfile.cpp LIBS kovra_content PkgConfig::LIBZIP)
