// SPDX-License-Identifier: GPL-3.0-or-later
// The words of each family of problems, for describe() (problems.cpp). Each family's function
// words the kinds of its own family, and gives none for any other.
#pragma once

#include "problems.h"

#include <optional>

namespace kovra::problem_words {

// A text taken from the content as part of one printable line, cut when it is long.
[[nodiscard]] QString visible(const QString &text);
// The same, in quotation marks.
[[nodiscard]] QString quoted(const QString &text);

[[nodiscard]] std::optional<QString> shapeWords(const Problem &p);
[[nodiscard]] std::optional<QString> textWords(const Problem &p);
// The kinds of question but single choice: credits, accepted answers, items.
[[nodiscard]] std::optional<QString> kindWords(const Problem &p);
[[nodiscard]] std::optional<QString> figureWords(const Problem &p);
[[nodiscard]] std::optional<QString> bankFileWords(const Problem &p);
[[nodiscard]] std::optional<QString> bankQuestionWords(const Problem &p);
[[nodiscard]] std::optional<QString> testFileWords(const Problem &p);
// A pupil's result file's, told alone after the file's name.
[[nodiscard]] std::optional<QString> resultFileWords(const Problem &p);

} // namespace kovra::problem_words
