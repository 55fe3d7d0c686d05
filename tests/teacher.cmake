# SPDX-License-Identifier: GPL-3.0-or-later
# The teacher's window through its controls; it starts the player and the checker, and reads
# PDFs back with pdftotext.
kovra_add_test(test_teacher SOURCES test_teacher.cpp LIBS kovra_teacher)
target_compile_definitions(test_teacher PRIVATE
  KOVRA_PLAYER="$<TARGET_FILE:kovra>" KOVRA_CHECK="$<TARGET_FILE:kovra-check>")
add_dependencies(test_teacher kovra kovra-check)
