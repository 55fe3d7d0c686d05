// SPDX-License-Identifier: GPL-3.0-or-later
#include "content_json.h"
#include "danni.h"
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
    QJsonArray questions;
    for (std::size_t i = 0; i < test.questions.size(); ++i) {
        const Question &question = test.questions[i];
        QJsonObject object{
            {QStringLiteral("text"), question.text},
            {QStringLiteral("choices"), QJsonArray::fromStringList(question.choices)},
            {QStringLiteral("key"), question.choices.value(question.right)},
            {QStringLiteral("explanation"), QJsonArray::fromStringList(question.explanation)},
        };
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
