// SPDX-License-Identifier: GPL-3.0-or-later
// Test files that keep results, written to disk as a teacher writes them.
#pragma once

#include "content/testfile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kovra::testing {

// n questions of four choices "Qk a" .. "Qk d"; the key of question k is choice keys[k-1] (0 by
// default). `results`: the folder setting; none, a test that keeps no results.
inline QByteArray resultsTestJson(int n, const std::optional<QString> &results,
                                  const QList<int> &keys = {})
{
    QJsonArray questions;
    for (int k = 1; k <= n; ++k) {
        QJsonArray choices;
        for (const char letter : {'a', 'b', 'c', 'd'}) {
            choices.append(QStringLiteral("Q%1 %2").arg(k).arg(QLatin1Char(letter)));
        }
        questions.append(QJsonObject{
            {QStringLiteral("text"), QStringLiteral("Въпрос %1?").arg(k)},
            {QStringLiteral("choices"), choices},
            {QStringLiteral("key"), choices.at(keys.value(k - 1, 0))},
            {QStringLiteral("explanation"), QJsonArray{QStringLiteral("Обяснение")}},
        });
    }
    QJsonObject root{
        {QStringLiteral("settings"),
         QJsonArray{QStringLiteral("Настройки"), QStringLiteral("Фраза - 0"),
                    QStringLiteral("Проверка - 0"), QStringLiteral("Тест с резултати"),
                    QStringLiteral("Описание - 1"), QStringLiteral("Обяснения - 1")}},
        {QStringLiteral("questions"), questions},
    };
    if (results) {
        root.insert(QStringLiteral("results"), QJsonObject{{QStringLiteral("folder"), *results}});
    }
    return QJsonDocument(root).toJson();
}

// Writes the test file; its path, or empty when it could not be made.
inline QString writeTestFile(const QString &path, const QByteArray &json)
{
    const WrittenTest written =
        makeTestArchive({json, [](const QString &) { return std::optional<QByteArray>(); }});
    return written.archive && saveFile(path, *written.archive).empty() ? path : QString();
}

} // namespace kovra::testing
