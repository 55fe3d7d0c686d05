# SPDX-License-Identifier: GPL-3.0-or-later
# The window driven through its widgets: answering mode, and evaluation with review, About
# and Exit.
kovra_add_test(test_window SOURCES test_window.cpp window_driver.h LIBS kovra_ui)
kovra_add_test(test_review SOURCES test_review.cpp window_driver.h LIBS kovra_ui)
# A question of each kind but single choice answered and reviewed in the window.
kovra_add_test(test_kinds_window SOURCES test_kinds_window.cpp LIBS kovra_ui)
