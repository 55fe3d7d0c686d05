// SPDX-License-Identifier: GPL-3.0-or-later
// The player's content set of a test: KOVRA_Danni holds the questions of one run, built from
// the test that the rules passed.
#pragma once

#include "danni.h"
#include "model/test.h"

#include <vector>

namespace kovra {

// The most questions a test may hold when it draws each run's questions from them.
inline constexpr int kMaxPoolQuestions = 1000;

// Puts the test's questions `picks` (0-based, in this order) into slots 1..n of the content,
// with the answer key, explanations and figures, as if the test held just them.
void placeQuestions(const Test &test, const std::vector<int> &picks, KOVRA_Danni &content);

// The content set of a test that passed the rules: its settings and note, and its questions, or
// the first of them as one run draws them.
[[nodiscard]] KOVRA_Danni contentOf(const Test &test);

// The test a content set holds, as the reader of content.json gives it; a figure held as
// pixels alone (the packed built-in set's) is left out.
[[nodiscard]] Test testOf(const KOVRA_Danni &content);

// The six settings rows as the test has them: the flags by their words and digits, the title.
[[nodiscard]] QStringList settingsRows(const Test &test);

// The settings rows taken into the test, as settingsRows() makes them: a flag row's last digit
// 1 turns it on, and a last 0 or 1 is left off its words.
void takeSettingsRows(const QStringList &rows, Test &test);

// Windows-1251 of a text the rules passed.
[[nodiscard]] QByteArray cp1251Row(const QString &text);

} // namespace kovra
