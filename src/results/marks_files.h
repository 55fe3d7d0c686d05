// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a test for marks: the teacher's test, which holds the key, the explanations and
// the secret key, and beside it the pupils' copies, which hold none of them; a copy with more
// time for the pupils who need it.
#pragma once

#include "content/problems.h"

#include <QString>
#include <array>
#include <vector>

namespace kovra {

struct Test;

// The extra time a copy may give: a quarter, a half, twice the time.
inline constexpr std::array<int, 3> kMoreTimePercents{125, 150, 200};

// The pupils' copy beside the teacher's test "Контролно.kovra": "Контролно – за учениците.kovra";
// with more time "Контролно – за учениците, време ×1,5.kovra".
[[nodiscard]] QString pupilsCopyPath(const QString &teachersTest, int timePercent = 100);

// Makes a test for marks' keys when it has none yet, so that they are made once, when it is
// first saved; false when they cannot be made (no source of randomness).
[[nodiscard]] bool makeKeysOnce(Test &test);

// Writes the teacher's test at `teachersTest` first (so that no copy is out whose key is not
// kept), then a pupils' copy beside it for each of `timePercents`; each file whole or not at all.
// The problems: the test's own when it breaks a rule, or those of a file not written.
[[nodiscard]] Problems writeTestForMarks(const Test &test, const QString &teachersTest,
                                         const std::vector<int> &timePercents = {100});
// The pupils' copies alone, beside a teacher's test already written at `teachersTest`.
[[nodiscard]] Problems writePupilsCopies(const Test &test, const QString &teachersTest,
                                         const std::vector<int> &timePercents);

} // namespace kovra
