# SPDX-License-Identifier: GPL-3.0-or-later
kovra_add_test(test_builtin_set SOURCES test_builtin_set.cpp LIBS kovra_builtin)
