// SPDX-License-Identifier: GPL-3.0-or-later
// kovra-check: checks a test and shows what the program will hold, packs it for the build, or
// writes it as one test file for pupils.
//   kovra-check [--dump] [--pack FILE] [--write FILE.kovra] [SOURCE]
// SOURCE is a content folder or a test file; without it, the test built into the program.
// Exit status 1 on errors or a file that cannot be written, 2 on a wrong command line, else 0.

#include "content/builtin.h"
#include "content/dump.h"
#include "content/packed.h"
#include "content/testfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

using namespace kovra;

void report(const QString &name, const Problems &problems)
{
    for (const Problem &problem : problems) {
        std::fprintf(stderr, "%s: %s\n", name.toUtf8().constData(),
                     describe(problem).toUtf8().constData());
    }
}

// The files of the source the command line names.
TestFilesResult readSource(const QString &source)
{
    if (source.isEmpty()) {
        return readContentFolder(QString::fromLatin1(kBuiltInFolder));
    }
    if (QFileInfo(source).isDir()) {
        return readContentFolder(source);
    }
    return readTestFile(source);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovra-check"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks a test, shows what the program will hold, or writes it as one "
                       "test file."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dump(QStringLiteral("dump"),
                                  QStringLiteral("Print every list the program will hold."));
    const QCommandLineOption pack(QStringLiteral("pack"),
                                  QStringLiteral("Write the packed set the program embeds."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption write(
        QStringLiteral("write"),
        QStringLiteral("Write the test as one test file (.kovra), its figures fitted."),
        QStringLiteral("FILE"));
    parser.addOptions({dump, pack, write});
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QStringLiteral("A content folder or a test file; without it, the built-in test."),
        QStringLiteral("[SOURCE]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "kovra-check: %s\n\n%s", parser.errorText().toUtf8().constData(),
                     parser.helpText().toUtf8().constData());
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
    const QStringList sources = parser.positionalArguments();
    if (sources.size() > 1) {
        std::fprintf(stderr, "kovra-check: one source at most\n\n%s",
                     parser.helpText().toUtf8().constData());
        return 2;
    }
    const QString source = sources.value(0);
    const QString name = source.isEmpty() ? QStringLiteral("built-in set") : source;

    const TestFilesResult read = readSource(source);
    if (!read.files) {
        report(name, read.problems);
        return 1;
    }
    LoadResult loaded;
    if (parser.isSet(write)) {
        WrittenTest written = makeTestArchive(*read.files);
        report(name, written.checked.problems);
        if (!written.archive) {
            return 1;
        }
        if (const Problems failed = saveFile(parser.value(write), *written.archive);
            !failed.empty()) {
            report(name, failed);
            return 1;
        }
        loaded = std::move(written.checked);
    } else {
        loaded = loadContent(read.files->json, read.files->figures);
        report(name, loaded.problems);
    }
    if (!loaded.content) {
        return 1;
    }
    if (parser.isSet(pack)) {
        if (const Problems failed = saveFile(parser.value(pack), packContent(*loaded.content));
            !failed.empty()) {
            report(name, failed);
            return 1;
        }
    }
    if (parser.isSet(dump)) {
        const QByteArray text = dumpContent(*loaded.content);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    }
    return 0;
}
