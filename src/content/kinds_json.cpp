// SPDX-License-Identifier: GPL-3.0-or-later
#include "kinds_json.h"

#include <QJsonArray>
#include <QJsonValue>
#include <array>
#include <cmath>

namespace kovra {

namespace {

struct KindName
{
    QuestionKind kind;
    const char *name;
};
constexpr std::array<KindName, 5> kKindNames{{{QuestionKind::Single, "single"},
                                              {QuestionKind::Several, "several"},
                                              {QuestionKind::Typed, "typed"},
                                              {QuestionKind::Number, "number"},
                                              {QuestionKind::Matching, "matching"}}};

// Reads the fields of one question of a kind, each problem told with its place.
class KindReader
{
public:
    KindReader(const QJsonObject &object, int number, bool copy, const ProblemSink &add)
        : m_object(object), m_number(number), m_keyRequired(!copy), m_add(add)
    {}

    bool keyed = true;

    void wrongType(const Place &place, ValueType expected, const QJsonValue &found)
    {
        m_add({.kind = ProblemKind::WrongType,
               .question = m_number,
               .place = place,
               .expected = expected,
               .found = jsonTypeOf(found)});
        keyed = false;
    }
    // An array field, each element handed to `element`; none when absent and not required.
    template <typename Element>
    void array(const char *name, ContentField field, bool required, Element element)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (value.isUndefined()) {
            if (required) {
                m_add({.kind = ProblemKind::MissingField, .question = m_number, .place = {field}});
                keyed = false;
            }
            return;
        }
        if (!value.isArray()) {
            wrongType({field}, ValueType::Array, value);
            return;
        }
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            element(array.at(i), Place{field, int(i)});
        }
    }
    bool flag(const char *name, ContentField field)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (!value.isUndefined() && !value.isBool()) {
            wrongType({field}, ValueType::Boolean, value);
        }
        return value.toBool();
    }
    // A number in an object of an array, checked within its range.
    std::optional<double> number(const QJsonObject &object, const char *name, const Place &place,
                                 double defaultValue)
    {
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined()) {
            return defaultValue;
        }
        if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            wrongType(place, ValueType::Number, value);
            return std::nullopt;
        }
        return value.toDouble();
    }
    QString text(const QJsonObject &object, const char *name, const Place &place)
    {
        const QJsonValue value = object.value(QLatin1String(name));
        if (!value.isString()) {
            wrongType(place, ValueType::String, value);
        }
        return value.toString();
    }

    void readSeveral(Question &question);
    void readAccepted(Question &question);
    void readMatching(Question &question);

private:
    const QJsonObject &m_object;
    int m_number;
    bool m_keyRequired; // a pupils' copy has no key of any kind
    const ProblemSink &m_add;
};

void KindReader::readSeveral(Question &question)
{
    question.allOrNothing = flag("allOrNothing", ContentField::AllOrNothing);
    array("weights", ContentField::Weights, m_keyRequired,
          [&](const QJsonValue &value, Place place) {
              if (!value.isDouble() || !std::isfinite(value.toDouble())) {
                  wrongType(place, ValueType::Number, value);
              }
              question.weights.push_back(value.toDouble() / 100);
          });
}

void KindReader::readAccepted(Question &question)
{
    const bool isNumber = question.kind == QuestionKind::Number;
    array("answers", ContentField::Answers, m_keyRequired,
          [&](const QJsonValue &value, Place place) {
              if (!value.isObject()) {
                  wrongType(place, ValueType::Object, value);
                  return;
              }
              const QJsonObject object = value.toObject();
              Accepted accepted;
              accepted.text = text(object, isNumber ? "value" : "text", place);
              accepted.credit = number(object, "percent", place, 100).value_or(0) / 100;
              accepted.tolerance = isNumber ? number(object, "tolerance", place, 0).value_or(0) : 0;
              question.accepted.push_back(accepted);
          });
    if (isNumber) {
        question.unitsIgnored = flag("unitsIgnored", ContentField::UnitsIgnored);
        question.unitFirst = flag("unitFirst", ContentField::UnitFirst);
        question.unitPenaltyOfQuestion =
            flag("unitPenaltyOfQuestion", ContentField::UnitPenaltyOfQuestion);
        question.unitPenalty =
            number(m_object, "unitPenalty", {ContentField::UnitPenalty}, 0).value_or(0) / 100;
        array("units", ContentField::Units, false, [&](const QJsonValue &value, Place place) {
            const QJsonObject object = value.toObject();
            if (!value.isObject()) {
                wrongType(place, ValueType::Object, value);
                return;
            }
            question.units.push_back(
                {text(object, "name", place), number(object, "multiplier", place, 1).value_or(1)});
        });
    } else {
        question.caseMatters = flag("caseMatters", ContentField::CaseMatters);
    }
}

void KindReader::readMatching(Question &question)
{
    array("items", ContentField::Items, true, [&](const QJsonValue &value, Place place) {
        question.items << value.toString();
        if (!value.isString()) {
            wrongType(place, ValueType::String, value);
        }
    });
}

} // namespace

ValueType jsonTypeOf(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return ValueType::Null;
    case QJsonValue::Bool:
        return ValueType::Boolean;
    case QJsonValue::Double:
        return ValueType::Number;
    case QJsonValue::String:
        return ValueType::String;
    case QJsonValue::Array:
        return ValueType::Array;
    case QJsonValue::Object:
        return ValueType::Object;
    case QJsonValue::Undefined:
        break;
    }
    return ValueType::Missing;
}

QString kindName(QuestionKind kind)
{
    for (const KindName &name : kKindNames) {
        if (name.kind == kind && kind != QuestionKind::Single) {
            return QLatin1String(name.name);
        }
    }
    return {};
}

std::optional<QuestionKind> readKindName(const QJsonObject &object, int number,
                                         const ProblemSink &add)
{
    const QJsonValue value = object.value(QStringLiteral("type"));
    if (value.isUndefined()) {
        return QuestionKind::Single;
    }
    for (const KindName &name : kKindNames) {
        if (value.toString() == QLatin1String(name.name)) {
            return name.kind;
        }
    }
    if (!value.isString()) {
        add({.kind = ProblemKind::WrongType,
             .question = number,
             .place = {ContentField::Type},
             .expected = ValueType::String,
             .found = jsonTypeOf(value)});
    } else {
        add({.kind = ProblemKind::KindUnknown,
             .question = number,
             .place = {ContentField::Type},
             .text = value.toString()});
    }
    return std::nullopt;
}

QStringList kindFields(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Single:
        return {QStringLiteral("key")};
    case QuestionKind::Several:
        return {QStringLiteral("type"), QStringLiteral("weights"), QStringLiteral("allOrNothing")};
    case QuestionKind::Typed:
        return {QStringLiteral("type"), QStringLiteral("answers"), QStringLiteral("caseMatters")};
    case QuestionKind::Number:
        return {QStringLiteral("type"),
                QStringLiteral("answers"),
                QStringLiteral("units"),
                QStringLiteral("unitsIgnored"),
                QStringLiteral("unitFirst"),
                QStringLiteral("unitPenalty"),
                QStringLiteral("unitPenaltyOfQuestion")};
    case QuestionKind::Matching:
        return {QStringLiteral("type"), QStringLiteral("items"), QStringLiteral("matches")};
    }
    return {};
}

void readKindFields(const QJsonObject &object, int number, Question &question, bool copy,
                    const ProblemSink &add, bool &keyed)
{
    KindReader reader(object, number, copy, add);
    switch (question.kind) {
    case QuestionKind::Single:
        break;
    case QuestionKind::Several:
        reader.readSeveral(question);
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number:
        reader.readAccepted(question);
        break;
    case QuestionKind::Matching:
        reader.readMatching(question);
        // Each item's answer by its text, as a single choice's key names its choice.
        reader.array("matches", ContentField::Matches, !copy,
                     [&](const QJsonValue &value, Place place) {
                         if (!value.isString()) {
                             reader.wrongType(place, ValueType::String, value);
                             return;
                         }
                         const auto at = question.choices.indexOf(value.toString());
                         if (at < 0) {
                             reader.keyed = false;
                             add({.kind = ProblemKind::KeyMatchesNone,
                                  .question = number,
                                  .place = place,
                                  .text = value.toString()});
                         }
                         question.matches.push_back(int(at));
                     });
        break;
    }
    keyed = reader.keyed;
}

void writeKindFields(const Question &question, bool copy, QJsonObject &object)
{
    if (question.kind == QuestionKind::Single) {
        return;
    }
    object.insert(QStringLiteral("type"), kindName(question.kind));
    switch (question.kind) {
    case QuestionKind::Single:
        break;
    case QuestionKind::Several:
        object.insert(QStringLiteral("allOrNothing"), question.allOrNothing);
        if (!copy) {
            QJsonArray weights;
            for (double weight : question.weights) {
                weights.append(weight * 100);
            }
            object.insert(QStringLiteral("weights"), weights);
        }
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number: {
        const bool number = question.kind == QuestionKind::Number;
        QJsonArray answers;
        for (const Accepted &accepted : question.accepted) {
            QJsonObject answer{{QLatin1String(number ? "value" : "text"), accepted.text},
                               {QStringLiteral("percent"), accepted.credit * 100}};
            if (number) {
                answer.insert(QStringLiteral("tolerance"), accepted.tolerance);
            }
            answers.append(answer);
        }
        if (!copy) {
            object.insert(QStringLiteral("answers"), answers);
        }
        if (number) {
            QJsonArray units;
            for (const Unit &unit : question.units) {
                units.append(QJsonObject{{QStringLiteral("name"), unit.name},
                                         {QStringLiteral("multiplier"), unit.multiplier}});
            }
            object.insert(QStringLiteral("units"), units);
            object.insert(QStringLiteral("unitsIgnored"), question.unitsIgnored);
            // What a test without them means is not written, as a test before them had none.
            if (question.unitFirst) {
                object.insert(QStringLiteral("unitFirst"), true);
            }
            if (question.unitPenalty != 0) {
                object.insert(QStringLiteral("unitPenalty"), question.unitPenalty * 100);
                object.insert(QStringLiteral("unitPenaltyOfQuestion"),
                              question.unitPenaltyOfQuestion);
            }
        } else {
            object.insert(QStringLiteral("caseMatters"), question.caseMatters);
        }
        break;
    }
    case QuestionKind::Matching: {
        object.insert(QStringLiteral("items"), QJsonArray::fromStringList(question.items));
        if (!copy) {
            QStringList matches;
            for (int match : question.matches) {
                matches << question.choices.value(match);
            }
            object.insert(QStringLiteral("matches"), QJsonArray::fromStringList(matches));
        }
        break;
    }
    }
}

} // namespace kovra
