// kovra-check: validates a content set and optionally prints what the player will hold.
//   kovra-check [--dump] [FOLDER]
// Without FOLDER it checks the set built into the program. Exit status 1 on errors, else 0.

#include "content/builtin.h"
#include "content/dump.h"
#include "content/loader.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool dump = args.removeAll(QStringLiteral("--dump")) > 0;
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1Char('-')))) {
        std::fputs("usage: kovra-check [--dump] [FOLDER]\n", stderr);
        return 2;
    }
    const kovra::LoadResult result =
        args.isEmpty() ? kovra::loadBuiltInContent(kovra::FigureCheck::Full)
                       : kovra::loadContentFolder(args.first(), kovra::FigureCheck::Full);
    const QString name = args.isEmpty() ? QStringLiteral("built-in set") : args.first();
    for (const kovra::Problem &problem : result.problems) {
        std::fprintf(stderr, "%s: %s\n", name.toUtf8().constData(),
                     kovra::describe(problem).toUtf8().constData());
    }
    if (!result.content) {
        return 1;
    }
    if (dump) {
        const QByteArray text = kovra::dumpContent(*result.content);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    }
    return 0;
}
