// SPDX-License-Identifier: GPL-3.0-or-later
// kovra-check: validates a content set and optionally prints what the player will hold.
//   kovra-check [--dump] [--pack FILE] [FOLDER]
// Without FOLDER it checks the set built into the program. --pack writes a set that passes
// in the packed form the player embeds. Exit status 1 on errors or an unwritable FILE, else 0.

#include "content/builtin.h"
#include "content/dump.h"
#include "content/loader.h"
#include "content/packed.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool dump = args.removeAll(QStringLiteral("--dump")) > 0;
    QString packFile;
    if (const qsizetype at = args.indexOf(QStringLiteral("--pack"));
        at >= 0 && at + 1 < args.size()) {
        packFile = args.takeAt(at + 1);
        args.removeAt(at);
    }
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1Char('-')))) {
        std::fputs("usage: kovra-check [--dump] [--pack FILE] [FOLDER]\n", stderr);
        return 2;
    }
    const kovra::LoadResult result =
        args.isEmpty() ? kovra::loadBuiltInContent() : kovra::loadContentFolder(args.first());
    const QString name = args.isEmpty() ? QStringLiteral("built-in set") : args.first();
    for (const kovra::Problem &problem : result.problems) {
        std::fprintf(stderr, "%s: %s\n", name.toUtf8().constData(),
                     kovra::describe(problem).toUtf8().constData());
    }
    if (!result.content) {
        return 1;
    }
    if (!packFile.isEmpty()) {
        QSaveFile file(packFile);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(kovra::packContent(*result.content)) < 0 || !file.commit()) {
            std::fprintf(stderr, "kovra-check: cannot write %s: %s\n",
                         packFile.toUtf8().constData(), file.errorString().toUtf8().constData());
            return 1;
        }
    }
    if (dump) {
        const QByteArray text = kovra::dumpContent(*result.content);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    }
    return 0;
}
