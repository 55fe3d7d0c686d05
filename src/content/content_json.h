// SPDX-License-Identifier: GPL-3.0-or-later
// content.json, the file a test is kept in: read into a test, its shape checked and each
// question handed to the rules, and written from a test.
#pragma once

#include "loader.h"

#include <vector>

namespace kovra {

// More questions than a test can hold are opened for editing, so that the teacher can take some
// out; a file with more than these is not a test anyone edits by hand.
inline constexpr int kMaxOpenedQuestions = 200;

// For editing: the test as far as it reads, errors or not, with the problems of its file; no
// content set. No test when the file is no JSON object.
[[nodiscard]] LoadResult readContentJsonForEditing(const QByteArray &json,
                                                   const FigureFiles &figures, FigureSource source);

// loadContent() (loader.h), reading content.json with every rule, is defined with this reader.

// content.json of a test: question k's figure named `figureNames[k]` where that is not empty,
// else the name it gives that names no file, if any.
[[nodiscard]] QByteArray contentJson(const Test &test, const std::vector<QString> &figureNames);

} // namespace kovra
