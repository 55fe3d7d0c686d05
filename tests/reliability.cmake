# SPDX-License-Identifier: GPL-3.0-or-later
# Many seeded runs of random clicks, keys and menu choices, checked after every event.
kovra_add_test(test_random_ui SOURCES test_random_ui.cpp LIBS kovra_ui)
