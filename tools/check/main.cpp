// SPDX-License-Identifier: GPL-3.0-or-later
// kovra-check: checks a test and shows what the program will hold, packs it for the build, or
// writes it as one test file for pupils.
//   kovra-check [--dump] [--pack FILE] [--write FILE.kovra [--results[=FOLDER]]] [bank options]
//               [SOURCE]
//   kovra-check --results FOLDER --test FILE.kovra --csv OUT.csv
// SOURCE is a content folder, a test file or a question bank (.gift, .txt for Aiken, .csv);
// without it, the test built into the program. It speaks the language of the locale.
// The second form collects the pupils' result files of a folder, marks them against the test's
// current key and writes the table as CSV.
// Exit status 1 on errors or a file that cannot be written, 2 on a wrong command line, else 0.

#include "content/builtin.h"
#include "content/dump.h"
#include "content/import.h"
#include "content/packed.h"
#include "content/testfile.h"
#include "content/translation.h"
#include "results/collect.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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
    std::vector<int> questionLines;
};

Source readSource(const QString &source, const ImportOptions &options)
{
    if (source.isEmpty()) {
        return {readContentFolder(QString::fromLatin1(kBuiltInFolder)), {}};
    }
    if (QFileInfo(source).isDir()) {
        return {readContentFolder(source), {}};
    }
    if (bankFormatOf(source)) {
        Imported imported = importQuestionBank(source, options);
        std::optional<TestFiles> files;
        if (imported.json) {
            files = TestFiles{*imported.json, imported.figures};
        }
        return {{std::move(files), std::move(imported.problems)}, imported.questionLines};
    }
    return {readTestFile(source), {}};
}

// `--results` alone, followed by another option or nothing, asks for the test file's folder.
QStringList withResultsValue(QStringList arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--results") &&
            (i + 1 == arguments.size() || arguments.at(i + 1).startsWith(QLatin1Char('-')))) {
            arguments[i] = QStringLiteral("--results=");
        }
    }
    return arguments;
}

// The content.json of the files with the results setting in it.
QByteArray askingResults(const QByteArray &json, const QString &folder)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject()) {
        return json; // the check names its fault
    }
    QJsonObject root = document.object();
    root.insert(QStringLiteral("results"), QJsonObject{{QStringLiteral("folder"), folder}});
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

int collect(const QString &folder, const QString &testPath, const QString &csvPath)
{
    const LoadResult loaded = loadTestFile(testPath);
    report(testPath, loaded.problems);
    if (!loaded.content) {
        return 1;
    }
    QFile testFile(testPath);
    const QByteArray bytes =
        testFile.open(QIODevice::ReadOnly) ? testFile.read(kMaxTestFileBytes) : QByteArray();
    const ClassResults results = collectResults(folder, markingTest(*loaded.content, bytes));
    for (const ApartFile &file : results.apart) {
        std::fprintf(stderr, "%s: %s\n", QDir(folder).filePath(file.file).toUtf8().constData(),
                     file.reason.toUtf8().constData());
    }
    if (const Problems failed = saveFile(csvPath, resultsCsv(results)); !failed.empty()) {
        report(csvPath, failed);
        return 1;
    }
    std::printf("%s\n", QCoreApplication::translate("kovra", "%1 pupils, %2 files set apart")
                            .arg(results.pupils.size())
                            .arg(results.apart.size())
                            .toUtf8()
                            .constData());
    return 0;
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
    const QCommandLineOption results(
        QStringLiteral("results"),
        QStringLiteral("With --write: the test keeps each pupil's result file in FOLDER (alone: "
                       "the test file's folder). With --test and --csv: the results in FOLDER, "
                       "marked against the test, as CSV."),
        QStringLiteral("FOLDER"));
    const QCommandLineOption test(QStringLiteral("test"),
                                  QStringLiteral("The test the results are marked against."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Write the collected results as CSV."),
                                 QStringLiteral("FILE"));
    parser.addOptions(
        {dump, pack, write, title, explanations, reviewButtons, toto, phrase, results, test, csv});
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QStringLiteral("A content folder, a test file or a question bank (.gift, .txt for "
                       "Aiken, .csv); without it, the built-in test."),
        QStringLiteral("[SOURCE]"));
    if (!parser.parse(withResultsValue(QCoreApplication::arguments()))) {
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
    if (parser.isSet(test) || parser.isSet(csv)) {
        if (!parser.isSet(results) || !parser.isSet(test) || !parser.isSet(csv) ||
            !sources.isEmpty() || parser.value(results).isEmpty()) {
            std::fprintf(stderr,
                         "kovra-check: --results FOLDER --test FILE --csv FILE go "
                         "together\n\n%s",
                         parser.helpText().toUtf8().constData());
            return 2;
        }
        return collect(parser.value(results), parser.value(test), parser.value(csv));
    }
    if (parser.isSet(results) && !parser.isSet(write)) {
        std::fprintf(stderr,
                     "kovra-check: --results goes with --write, or with --test and "
                     "--csv\n\n%s",
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

    const Source read = readSource(source, options);
    report(name, read.read.problems);
    if (!read.read.files) {
        return 1;
    }
    TestFiles files = *read.read.files;
    LoadResult loaded;
    if (parser.isSet(write)) {
        if (parser.isSet(results)) {
            files.json = askingResults(files.json, parser.value(results));
        }
        WrittenTest written = makeTestArchive(files);
        attachSourceLines(written.checked.problems, read.questionLines);
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
        attachSourceLines(loaded.problems, read.questionLines);
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
