// SPDX-License-Identifier: GPL-3.0-or-later
#include "content_json.h"
#include "danni.h"
#include "kinds_json.h"
#include "marks_json.h"
#include "test_content.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kovra {

QByteArray contentJson(const Test &test, const std::vector<QString> &figureNames)
{
    QJsonObject root;
    root.insert(QStringLiteral("settings"), QJsonArray::fromStringList(settingsRows(test)));
    if (!test.note.isEmpty()) {
        root.insert(QStringLiteral("note"), QJsonArray::fromStringList(test.note));
    }
    // Written only when set: every question plays otherwise.
    if (test.draw > 0) {
        root.insert(QStringLiteral("draw"), test.draw);
    }
    if (test.collectResults) {
        root.insert(QStringLiteral("results"),
                    QJsonObject{{QStringLiteral("folder"), test.resultsFolder}});
    }
    if (test.forMarks) {
        root.insert(QStringLiteral("marks"), marksJson(*test.forMarks));
    }
    QJsonArray questions;
    for (std::size_t i = 0; i < test.questions.size(); ++i) {
        const Question &question = test.questions[i];
        QJsonObject object{
            {QStringLiteral("text"), question.text},
            {QStringLiteral("choices"), QJsonArray::fromStringList(question.choices)},
        };
        // The pupils' copy of a test for marks names no key and has no explanation: not even an
        // empty field, so that nothing of the file tells whether one was there.
        if (!question.isSingle() && question.choices.isEmpty()) {
            object.remove(QStringLiteral("choices")); // a typed answer or a number has none
        }
        writeKindFields(question, test.isPupilsCopy(), object);
        if (!test.isPupilsCopy()) {
            if (question.isSingle()) {
                object.insert(QStringLiteral("key"), question.choices.value(question.right));
            }
            object.insert(QStringLiteral("explanation"),
                          QJsonArray::fromStringList(question.explanation));
        }
        const QString name = i < figureNames.size() ? figureNames[i] : QString();
        if (!name.isEmpty()) {
            object.insert(QStringLiteral("figure"), name);
        } else if (question.figure.isEmpty() && !question.figure.missing.isEmpty()) {
            object.insert(QStringLiteral("figure"), question.figure.missing);
        }
        questions.append(object);
    }
    root.insert(QStringLiteral("questions"), questions);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace kovra
