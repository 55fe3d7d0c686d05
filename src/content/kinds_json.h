// SPDX-License-Identifier: GPL-3.0-or-later
// The fields content.json gives a question of a kind other than single choice: its type, and
// what marks it (the credits of its choices, the answers it accepts, the answers of its items).
#pragma once

#include "model/test.h"
#include "rules.h"

#include <QJsonObject>
#include <optional>

class QJsonValue;

namespace kovra {

[[nodiscard]] ValueType jsonTypeOf(const QJsonValue &value);

// "type": none for single choice.
[[nodiscard]] QString kindName(QuestionKind kind);
// The kind a question's "type" names; none, with the problem, when it names none.
[[nodiscard]] std::optional<QuestionKind> readKindName(const QJsonObject &object, int number,
                                                       const ProblemSink &add);
// The fields of a question of `kind` besides text, choices, explanation and figure.
[[nodiscard]] QStringList kindFields(QuestionKind kind);

// Reads what marks a question of another kind than single choice, its choices read already.
// A pupils' copy has no key of any kind; `keyed` is false when a key could not be read.
void readKindFields(const QJsonObject &object, int number, Question &question, bool copy,
                    const ProblemSink &add, bool &keyed);
// Writes them; a pupils' copy's without any key.
void writeKindFields(const Question &question, bool copy, QJsonObject &object);

} // namespace kovra
