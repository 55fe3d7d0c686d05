// SPDX-License-Identifier: GPL-3.0-or-later
// A Moodle XML question as its elements give it, and the question of a test made of it, each
// type its kind. Private to the import.
#pragma once

#include "bank.h"

#include <QHash>
#include <QString>
#include <utility>
#include <vector>

namespace kovra::importer {

// The most answers, subquestions and units one question's elements are read for; past them,
// they are read over.
inline constexpr std::size_t kMostXmlListed = 64;

// A text element of a question: its format and its text.
struct XmlText
{
    QString text;
    bool html = true;
};

struct XmlAnswer
{
    double fraction = 0;
    XmlText text;
    XmlText feedback;
    QString tolerance; // numerical
};

// A matching question's item and the answer it is matched with.
struct XmlSubquestion
{
    XmlText text;
    XmlText answer;
};

struct XmlUnit
{
    QString name;
    QString multiplier;
};

struct XmlQuestion
{
    QString type;
    QString name;
    int line = 0;
    XmlText text;
    XmlText generalFeedback;
    std::vector<XmlAnswer> answers;
    std::vector<XmlSubquestion> subquestions;
    std::vector<XmlUnit> units;
    // The settings of one value read: single, usecase, showunits, unitrole. (How a unit is graded,
    // unitgradingtype, matters not: a number is marked with a unit typed or without one.)
    QHash<QString, QString> settings;
    std::vector<std::pair<QString, QByteArray>> files; // embedded in the question text
};

// A text element as plain text on one line.
QString plain(const XmlText &text);
// A feedback's lines: each paragraph or line break of it starts an explanation line.
QStringList plainLines(const XmlText &text);

// Whether the type is one a test holds (category aside).
bool xmlTypeRead(const QString &type);
// The kind, choices and answers of the question of that type; false with it skipped.
bool takeXmlQuestion(const XmlQuestion &question, Question &out, Bank &bank);

} // namespace kovra::importer
