# SPDX-License-Identifier: GPL-3.0-or-later
# The pupils' results: the real player keeping a result file, and the collector.
kovra_add_test(test_results_player SOURCES test_results_player.cpp results_fixture.h LIBS kovra_ui)
kovra_add_test(test_results SOURCES test_results.cpp results_fixture.h LIBS kovra_results kovra_testfile)
kovra_add_test(test_results_view SOURCES test_results_view.cpp results_fixture.h LIBS kovra_resultsview kovra_ui)
