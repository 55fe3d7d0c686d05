# SPDX-License-Identifier: GPL-3.0-or-later
# The pupils' results: the real player keeping a result file, and the collector.
kovra_add_test(test_results_player SOURCES test_results_player.cpp results_fixture.h LIBS kovra_ui)
kovra_add_test(test_results SOURCES test_results.cpp results_fixture.h LIBS kovra_results kovra_testfile)
kovra_add_test(test_results_view SOURCES test_results_view.cpp results_fixture.h LIBS kovra_resultsview kovra_ui kovra_print kovra_builtin)
# kovra-check writes a test that keeps results (--results alone: the test file's folder) and
# collects a folder as CSV with a byte-order mark.
add_test(NAME check_collects_results COMMAND sh -c
  "d=$(mktemp -d) && \"$0\" --results --write \"$d/t.kovra\" \"$1\" >/dev/null && unzip -p \"$d/t.kovra\" content.json | tr -d ' \\n' && echo && \"$0\" --results \"$d\" --test \"$d/t.kovra\" --csv \"$d/o.csv\"; s=$?; head -c 3 \"$d/o.csv\" | od -An -tx1; rm -rf \"$d\"; exit $s"
  $<TARGET_FILE:kovra-check> ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/small)
set_tests_properties(check_collects_results PROPERTIES
  PASS_REGULAR_EXPRESSION "\"results\":{\"folder\":\"\"}.*0 pupils, 0 files set apart\n ef bb bf"
  ENVIRONMENT "${KOVRA_TEST_ENVIRONMENT}")
kovra_add_test(test_marks_player SOURCES test_marks_player.cpp results_fixture.h LIBS kovra_ui)
# kovra-check writes a test for marks; the player refuses the teacher's test, which holds the key.
add_test(NAME player_refuses_teachers_test COMMAND sh -c
  "d=$(mktemp -d) && \"$1\" --exam --minutes 30 --write \"$d/t.kovra\" \"$2\" >/dev/null && \"$0\" \"$d/t.kovra\" 2>&1; echo \"status=$?\"; ls \"$d\"; rm -rf \"$d\""
  $<TARGET_FILE:kovra> $<TARGET_FILE:kovra-check> ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/small)
set_tests_properties(player_refuses_teachers_test PROPERTIES
  PASS_REGULAR_EXPRESSION "учителският тест на тест за оценка[^\n]*\n[^\n]*t – за учениците.kovra[^\n]*\nstatus=1\nt – за учениците.kovra\nt.kovra"
  ENVIRONMENT "${KOVRA_TEST_ENVIRONMENT}")
