# SPDX-License-Identifier: GPL-3.0-or-later
# Question banks read into content sets, and the checker's words in Bulgarian.
kovra_add_test(test_import SOURCES test_import.cpp LIBS kovra_import kovra_testfile)
kovra_add_test(test_import_malformed SOURCES test_import_malformed.cpp LIBS kovra_import kovra_testfile)
kovra_add_test(test_import_export SOURCES test_import_export.cpp LIBS kovra_import kovra_testfile)
add_test(NAME check_speaks_bulgarian COMMAND kovra-check "${CMAKE_CURRENT_SOURCE_DIR}/fixtures/broken")
set_tests_properties(check_speaks_bulgarian PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=bg_BG.UTF-8;LC_ALL=bg_BG.UTF-8"
  PASS_REGULAR_EXPRESSION "грешка: въпрос 2, поле „key“")
# A bank of many warnings and an error: the error is shown, however many warnings come before.
add_test(NAME check_shows_the_error COMMAND kovra-check "${CMAKE_CURRENT_SOURCE_DIR}/fixtures/essays.gift")
set_tests_properties(check_shows_the_error PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8"
  PASS_REGULAR_EXPRESSION "error: line 123 ends the file with 2 questions read")
# The credit of an answer of every kind.
kovra_add_test(test_marking SOURCES test_marking.cpp LIBS kovra_model)
