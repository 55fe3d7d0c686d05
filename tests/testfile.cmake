# SPDX-License-Identifier: GPL-3.0-or-later
# Test files: written and read back, and hostile ones refused.
kovra_add_test(test_testfile SOURCES test_testfile.cpp LIBS kovra_builtin kovra_testfile)
add_test(NAME check_writes_test_file
  COMMAND ${CMAKE_COMMAND} -DCHECK=$<TARGET_FILE:kovra-check> -DFIXTURES=${CMAKE_CURRENT_SOURCE_DIR}/fixtures
          -DOUT=${CMAKE_CURRENT_BINARY_DIR}/written -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/write_and_dump.cmake)
set_tests_properties(check_writes_test_file PROPERTIES ENVIRONMENT "${KOVRA_TEST_ENVIRONMENT}")
# The player answers a wrong command line with its usage, without a screen.
add_test(NAME player_refuses_unknown_option COMMAND kovra --no-such-option)
set_tests_properties(player_refuses_unknown_option PROPERTIES
  PASS_REGULAR_EXPRESSION "Unknown option 'no-such-option'.*Usage:" ENVIRONMENT "DISPLAY=")
# A file the user may not read (the tests run as nobody where they run as root, who reads all).
add_test(NAME player_refuses_unreadable_file COMMAND sh -c
  "f=$(mktemp) && chmod 000 \"$f\"; [ \"$(id -u)\" = 0 ] && as='setpriv --reuid=65534 --regid=65534 --clear-groups'; $as \"$0\" \"$f\" 2>&1; echo \"status=$?\"; rm -f \"$f\""
  $<TARGET_FILE:kovra>)
set_tests_properties(player_refuses_unreadable_file PROPERTIES
  PASS_REGULAR_EXPRESSION "kovra: [^\n]*: error: file cannot be read: Permission denied\nstatus=1"
  ENVIRONMENT "${KOVRA_TEST_ENVIRONMENT}")
# The teacher's mistakes through the real checker, in both languages.
kovra_add_test(test_check SOURCES test_check.cpp LIBS Qt6::Core)
target_compile_definitions(test_check PRIVATE KOVRA_CHECK="$<TARGET_FILE:kovra-check>")
add_dependencies(test_check kovra-check)
