kovra_add_test(test_assistance SOURCES test_assistance.cpp LIBS kovra_ui)
