// SPDX-License-Identifier: GPL-3.0-or-later
// The "marks" field of content.json, which only a test for marks has:
//   {"minutes": 40, "seal": "<public key, Base64>", "secret": "<secret key, Base64>"}
// "secret" is in the teacher's test alone; the pupils' copy has the time and the public key.
#pragma once

#include "model/test.h"
#include "rules.h"

#include <QJsonObject>
#include <QJsonValue>
#include <optional>

namespace kovra {

// The test for marks the field, a JSON object, makes; none, with the problems told, when it is
// not one. A test
// opened for editing may have no keys yet: they are made when it is first saved.
[[nodiscard]] std::optional<ForMarks> readMarks(const QJsonValue &value, const ProblemSink &add,
                                                bool keysRequired);

[[nodiscard]] QJsonObject marksJson(const ForMarks &marks);

} // namespace kovra
