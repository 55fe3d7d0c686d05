// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a content folder (content.json and the figure files it names) as one fuzz input,
// framed as in framing.h: fuzz_seed FOLDER OUTPUT.

#include "framing.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seed FOLDER OUTPUT\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QFile file(folder + QStringLiteral("/content.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz_seed: cannot read %s\n", qPrintable(file.fileName()));
        return 1;
    }
    const QByteArray json = file.readAll();

    // The figures in the order the loader asks for them: by question, each name once.
    QStringList names;
    const QJsonArray questions =
        QJsonDocument::fromJson(json).object().value(QStringLiteral("questions")).toArray();
    for (const QJsonValue &question : questions) {
        const QJsonValue figure = question.toObject().value(QStringLiteral("figure"));
        if (figure.isString() && !names.contains(figure.toString())) {
            names << figure.toString();
        }
    }
    std::vector<QByteArray> figures;
    for (const QString &name : names) {
        QFile figure(folder + QLatin1Char('/') + name);
        if (!figure.open(QIODevice::ReadOnly)) {
            // Later figures would go to the wrong names; this one and the rest stay missing.
            break;
        }
        figures.push_back(figure.readAll());
    }

    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(kovra::fuzz::joinInput(json, figures)) < 0) {
        std::fprintf(stderr, "fuzz_seed: cannot write %s\n", qPrintable(out.fileName()));
        return 1;
    }
    return 0;
}
