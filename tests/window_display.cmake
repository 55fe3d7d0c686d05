# SPDX-License-Identifier: GPL-3.0-or-later
# What the window shows when its work is deferred or cached: the icon, the figures, the review.
kovra_add_test(test_window_display SOURCES test_window_display.cpp LIBS kovra_ui)
