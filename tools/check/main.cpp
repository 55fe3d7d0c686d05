// SPDX-License-Identifier: GPL-3.0-or-later
// kovra-check: checks a test and shows what the program will hold, packs it for the build, or
// writes it as one test file for pupils.
//   kovra-check [--dump] [--pack FILE] [--write FILE.kovra] [--export FILE] [bank options] [SOURCE]
// SOURCE is a content folder, a test file or a question bank (.gift, .txt, .xml, .csv: GIFT,
// Aiken or Moodle XML told by the content);
// without it, the test built into the program. It speaks the language of the locale.
// Exit status 1 on errors or a file that cannot be written, 2 on a wrong command line, else 0.

#include "content/builtin.h"
#include "content/dump.h"
#include "content/packed.h"
#include "content/translation.h"
#include "import/import.h"
#include "testfile/testfile.h"

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

// The files of the source the command line names, and for a question bank, the warnings of
// its import and the source line of every question.
struct Source
{
    TestFilesResult read;
    Imported bank; // for a bank: what was read, and the source line of every question
};

Source readSource(const QString &source, const ImportOptions &options)
{
    if (source.isEmpty()) {
        return {readContentFolder(QString::fromLatin1(kBuiltInFolder)), {}};
    }
    if (QFileInfo(source).isDir()) {
        return {readContentFolder(source), {}};
    }
    if (isBankFile(source)) {
        Imported imported = importQuestionBank(source, options);
        std::optional<TestFiles> files;
        if (imported.json) {
            files = TestFiles{*imported.json, imported.figures};
        }
        Problems problems = std::move(imported.problems);
        imported.problems.clear();
        return {{std::move(files), std::move(problems)}, std::move(imported)};
    }
    return {readTestFile(source), {}};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovra-check"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));
    installTranslation(QLocale::system());

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
    // What a question bank does not say.
    const QCommandLineOption title(QStringLiteral("title"),
                                   QStringLiteral("A bank's test title (default: its file name)."),
                                   QStringLiteral("TEXT"));
    const QCommandLineOption explanations(
        QStringLiteral("explanations"),
        QStringLiteral("A bank's explanations in the review (on when it has feedback)."));
    const QCommandLineOption reviewButtons(
        QStringLiteral("review-buttons"),
        QStringLiteral("A bank's review buttons after the evaluation (on when it has feedback)."));
    const QCommandLineOption toto(QStringLiteral("toto"),
                                  QStringLiteral("Ask a bank's first question again."));
    const QCommandLineOption phrase(QStringLiteral("phrase"),
                                    QStringLiteral("Put the chosen answer into the blank."));
    const QCommandLineOption draw(
        QStringLiteral("draw"),
        QStringLiteral("How many questions of a bigger bank each run takes, drawn at random."),
        QStringLiteral("N"));
    const QCommandLineOption exportTo(
        QStringLiteral("export"),
        QStringLiteral("Write the test as Moodle XML (.xml, figures inside), GIFT (.gift, without "
                       "figures) or CSV (.csv, figures in a folder beside it)."),
        QStringLiteral("FILE"));
    parser.addOptions(
        {dump, pack, write, title, explanations, reviewButtons, toto, phrase, draw, exportTo});
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QStringLiteral("A content folder, a test file or a question bank (GIFT, Aiken, Moodle "
                       "XML or CSV); without it, the built-in test."),
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

    ImportOptions options;
    options.title = parser.value(title);
    if (parser.isSet(explanations)) {
        options.explanations = true;
    }
    if (parser.isSet(reviewButtons)) {
        options.reviewButtons = true;
    }
    options.toto = parser.isSet(toto);
    options.phrase = parser.isSet(phrase);
    if (parser.isSet(draw)) {
        bool number = false;
        options.draw = parser.value(draw).toInt(&number);
        if (!number) {
            std::fprintf(stderr, "kovra-check: --draw takes a number\n");
            return 2;
        }
    }

    const Source read = readSource(source, options);
    report(name, read.read.problems);
    if (const QString said = describeImport(read.bank); !said.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", name.toUtf8().constData(), said.toUtf8().constData());
    }
    if (!read.read.files) {
        return 1;
    }
    const TestFiles &files = *read.read.files;
    LoadResult loaded;
    if (parser.isSet(write)) {
        WrittenTest written = makeTestArchive(files);
        attachSourceLines(written.checked.problems, read.bank);
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
        loaded = loadContent(files.json, files.figures);
        attachSourceLines(loaded.problems, read.bank);
        report(name, loaded.problems);
    }
    if (!loaded.content) {
        return 1;
    }
    if (parser.isSet(exportTo)) {
        const Problems problems = exportTest(*loaded.content, loaded.pool ? &*loaded.pool : nullptr,
                                             parser.value(exportTo));
        report(name, problems);
        if (hasErrors(problems)) {
            return 1;
        }
    }
    if (parser.isSet(pack) && loaded.pool) {
        std::fprintf(stderr,
                     "%s: a test that draws its questions cannot be built into the "
                     "program\n",
                     name.toUtf8().constData());
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
        const QByteArray text = dumpContent(*loaded.content, loaded.pool ? &*loaded.pool : nullptr);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    }
    return 0;
}
