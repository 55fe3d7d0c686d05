# SPDX-License-Identifier: GPL-3.0-or-later
# The teacher's window through its controls; it starts the player and the checker, and reads
# PDFs back with pdftotext.
kovra_add_test(test_teacher SOURCES test_teacher.cpp LIBS kovra_teacher)
target_compile_definitions(test_teacher PRIVATE
  KOVRA_PLAYER="$<TARGET_FILE:kovra>" KOVRA_CHECK="$<TARGET_FILE:kovra-check>")
add_dependencies(test_teacher kovra kovra-check)
# A paste while no program owns the clipboard, on a real X server: where the toolkit's own
# insertion fails.
add_test(NAME test_teacher_paste_x11 COMMAND xvfb-run -a env QT_QPA_PLATFORM=xcb
  $<TARGET_FILE:test_teacher> pasteWithoutClipboardOwner)
set_tests_properties(test_teacher_paste_x11 PROPERTIES TIMEOUT 120 ENVIRONMENT
  "${KOVRA_TEST_ENVIRONMENT};LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/x11.supp")
# Questions of every kind made through the teacher's window, saved, restored and undone.
kovra_add_test(test_teacher_kinds SOURCES test_teacher_kinds.cpp LIBS kovra_teacher)
