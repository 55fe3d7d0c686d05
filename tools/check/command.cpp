// SPDX-License-Identifier: GPL-3.0-or-later
#include "command.h"

#include "content/builtin.h"
#include "content/cp1251.h"
#include "content/dump.h"
#include "content/packed.h"
#include "content/translation.h"
#include "print/print.h"
#include "print/review_sheets.h"
#include "results/collect.h"
#include "results/marks_files.h"
#include "results/recorder.h"
#include "testfile/testfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

namespace kovra {

namespace {

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

void report(const QString &name, Problems problems)
{
    limitProblems(problems); // the output stays short, whatever the source holds
    for (const Problem &problem : problems) {
        print(stderr, QStringLiteral("%1: %2\n").arg(name, describe(problem)));
    }
}

// The files of the source the command line names, and for a question bank, the warnings of
// its import and the source line of every question.
struct Source
{
    TestFilesResult read;
    Imported bank; // for a bank: what was read, and the source line of every question
};

Source readSource(const QString &source, const ImportOptions &options, FigureUse use)
{
    if (source.isEmpty()) {
        return {readContentFolder(QString::fromLatin1(kBuiltInFolder)), {}};
    }
    if (QFileInfo(source).isDir()) {
        return {readContentFolder(source), {}};
    }
    if (isBankFile(source)) {
        Imported imported = importQuestionBank(source, options);
        Problems problems = std::move(imported.problems);
        imported.problems.clear();
        return {{std::nullopt, std::move(problems)}, std::move(imported)};
    }
    return {readTestFile(source, use), {}};
}

// One line that says the test passed: its title, its questions and figures, and what was done.
QString passingLine(const Test &test, const QString &written, bool forMarks)
{
    // A test that draws its runs: every question of its bank, and how many a run takes.
    const int questions = static_cast<int>(test.questions.size());
    const auto figures = std::count_if(test.questions.begin(), test.questions.end(),
                                       [](const Question &q) { return !q.figure.isEmpty(); });
    const QString title =
        QCoreApplication::translate("kovra", "\u201C%1\u201D").arg(test.title.trimmed());
    QString counts = QCoreApplication::translate("kovra", "%n question(s)", nullptr, questions) +
                     QStringLiteral(", ") +
                     QCoreApplication::translate("kovra", "%n figure(s)", nullptr, int(figures));
    if (test.draw > 0) {
        counts += QStringLiteral(", ") +
                  QCoreApplication::translate("kovra", "%1 for each pupil").arg(test.draw);
    }
    if (written.isEmpty()) {
        return QCoreApplication::translate("kovra", "%1: %2; ready for pupils.").arg(title, counts);
    }
    if (forMarks) {
        return QCoreApplication::translate(
                   "kovra", "%1: %2; for marks. The teacher's test, which holds the key, written "
                            "to %3 (keep it to yourself); the pupils' copy to %4.")
            .arg(title, counts, written, pupilsCopyPath(written));
    }
    return QCoreApplication::translate("kovra", "%1: %2; written to %3, ready for pupils.")
        .arg(title, counts, written);
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

int collect(const CheckCommand &command)
{
    const LoadResult loaded = loadTestFile(command.test);
    report(command.test, loaded.problems);
    if (!loaded.test) {
        return 1;
    }
    QFile testFile(command.test);
    const QByteArray bytes =
        testFile.open(QIODevice::ReadOnly) ? testFile.read(kMaxTestFileBytes) : QByteArray();
    const QString folder = *command.results;
    const MarkingTest test = markingTest(*loaded.test, bytes);
    const ClassResults results = collectResults(folder, test);
    for (const ApartFile &file : results.apart) {
        print(stderr,
              QStringLiteral("%1: %2\n").arg(QDir(folder).filePath(file.file), file.reason));
    }
    if (const Problems failed = saveFile(command.csv, resultsCsv(results)); !failed.empty()) {
        report(command.csv, failed);
        return 1;
    }
    if (!command.sheets.isEmpty()) {
        if (const Problems failed = writeReviewSheetsPdf(command.sheets, test, results);
            !failed.empty()) {
            report(command.sheets, failed);
            return 1;
        }
    }
    print(stdout, QCoreApplication::translate("kovra", "%1 pupils, %2 files set apart")
                          .arg(results.pupils.size())
                          .arg(results.apart.size()) +
                      QLatin1Char('\n'));
    return 0;
}

// Writes the test file; the exit status.
int writeTest(const CheckCommand &command, const Test &test, const QString &name)
{
    WrittenTest written = makeTestArchive(test);
    if (!written.archive) {
        // Its warnings were told with the check.
        std::erase_if(written.checked.problems,
                      [](const Problem &problem) { return problem.severity == Severity::Warning; });
        report(name, written.checked.problems);
        return 1;
    }
    if (const Problems failed = saveFile(command.write, *written.archive); !failed.empty()) {
        report(name, failed);
        return 1;
    }
    return 0;
}

// Writes the teacher's test and its pupils' copies; the exit status. The keys are made once:
// writing over a teacher's test keeps its keys, so that copies handed out before still hand in.
int writeForMarks(const CheckCommand &command, Test test, const QString &name)
{
    if (!test.forMarks) {
        test.forMarks.emplace();
    }
    if (command.minutes) {
        test.forMarks->minutes = *command.minutes;
    }
    if (test.forMarks->publicKey.isEmpty() && QFileInfo(command.write).isFile()) {
        const LoadResult before = loadTestFile(command.write);
        if (before.test && before.test->isTeachersTest()) {
            test.forMarks->publicKey = before.test->forMarks->publicKey;
            test.forMarks->secretKey = before.test->forMarks->secretKey;
        }
    }
    if (test.isPupilsCopy()) {
        report(name, {Problem{.kind = ProblemKind::MarksKey,
                              .place = {ContentField::MarksSecret},
                              .limit = kSealKeyBytes}});
        return 1;
    }
    if (!makeKeysOnce(test)) {
        print(stderr,
              QStringLiteral("%1: %2\n")
                  .arg(name, describe(WriteFailure{WriteFault::CannotSeal, command.write, {}})));
        return 1;
    }
    std::vector<int> percents{100};
    percents.insert(percents.end(), command.moreTime.begin(), command.moreTime.end());
    Problems problems = writeTestForMarks(test, command.write, percents);
    std::erase_if(problems,
                  [](const Problem &problem) { return problem.severity == Severity::Warning; });
    report(name, problems);
    return problems.empty() ? 0 : 1;
}

// The options of what a question bank does not say.
struct BankOptions
{
    QCommandLineOption title;
    QCommandLineOption explanations;
    QCommandLineOption reviewButtons;
    QCommandLineOption toto;
    QCommandLineOption phrase;
    QCommandLineOption draw;
};

BankOptions addBankOptions(QCommandLineParser &parser)
{
    const QCommandLineOption title(
        QStringLiteral("title"),
        QCoreApplication::translate("kovra", "A bank's test title (default: its file name)."),
        QCoreApplication::translate("kovra", "TEXT"));
    const QCommandLineOption explanations(
        QStringLiteral("explanations"),
        QCoreApplication::translate(
            "kovra", "A bank's explanations in the review (on when it has feedback)."));
    const QCommandLineOption reviewButtons(
        QStringLiteral("review-buttons"),
        QCoreApplication::translate(
            "kovra", "A bank's review buttons after the evaluation (on when it has feedback)."));
    const QCommandLineOption toto(
        QStringLiteral("toto"),
        QCoreApplication::translate("kovra", "Ask a bank's first question again."));
    const QCommandLineOption phrase(
        QStringLiteral("phrase"),
        QCoreApplication::translate("kovra", "Put the chosen answer into the blank."));
    const QCommandLineOption draw(
        QStringLiteral("draw"),
        QCoreApplication::translate(
            "kovra", "Questions for each pupil, drawn at random from a bigger bank."),
        QCoreApplication::translate("kovra", "N"));
    parser.addOptions({title, explanations, reviewButtons, toto, phrase, draw});
    return {title, explanations, reviewButtons, toto, phrase, draw};
}

// False, with the usage told, when they are given wrong.
bool readBankOptions(const QCommandLineParser &parser, const BankOptions &options,
                     CheckCommand &command)
{
    command.bank.title = parser.value(options.title);
    if (parser.isSet(options.explanations)) {
        command.bank.explanations = true;
    }
    if (parser.isSet(options.reviewButtons)) {
        command.bank.reviewButtons = true;
    }
    command.bank.toto = parser.isSet(options.toto);
    command.bank.phrase = parser.isSet(options.phrase);
    if (parser.isSet(options.draw)) {
        bool number = false;
        command.bank.draw = parser.value(options.draw).toInt(&number);
        if (!number) {
            print(stderr, QStringLiteral("kovra-check: --draw N\n\n%1").arg(parser.helpText()));
            return false;
        }
    }
    return true;
}

// The options of a test that keeps results, and of collecting them.
struct CollectOptions
{
    QCommandLineOption results;
    QCommandLineOption test;
    QCommandLineOption csv;
};

CollectOptions addCollectOptions(QCommandLineParser &parser)
{
    const QCommandLineOption results(
        QStringLiteral("results"),
        QCoreApplication::translate(
            "kovra", "With --write: the test keeps each pupil's result file in FOLDER (alone: the "
                     "test file's folder). With --test and --csv: the results in FOLDER, marked "
                     "against the test, as CSV."),
        QCoreApplication::translate("kovra", "FOLDER"));
    const QCommandLineOption test(
        QStringLiteral("test"),
        QCoreApplication::translate("kovra", "The test the results are marked against."),
        QCoreApplication::translate("kovra", "FILE"));
    const QCommandLineOption csv(
        QStringLiteral("csv"),
        QCoreApplication::translate("kovra", "Write the collected results as CSV."),
        QCoreApplication::translate("kovra", "FILE"));
    parser.addOptions({results, test, csv});
    return {results, test, csv};
}

// False, with the usage told, when they are given wrong.
bool readCollectOptions(const QCommandLineParser &parser, const CollectOptions &options,
                        CheckCommand &command)
{
    if (parser.isSet(options.results)) {
        command.results = parser.value(options.results);
    }
    command.test = parser.value(options.test);
    command.csv = parser.value(options.csv);
    const bool collecting = parser.isSet(options.test) || parser.isSet(options.csv);
    const bool wrong = collecting ? !parser.isSet(options.results) || !parser.isSet(options.test) ||
                                        !parser.isSet(options.csv) || !command.source.isEmpty() ||
                                        command.results->isEmpty()
                                  : parser.isSet(options.results) && command.write.isEmpty();
    if (wrong) {
        print(stderr, QStringLiteral("kovra-check: %1\n\n%2")
                          .arg(QCoreApplication::translate(
                                   "kovra", "--results goes with --write, or with a folder, "
                                            "--test and --csv"),
                               parser.helpText()));
        return false;
    }
    return true;
}

// The options of a test for marks.
struct ExamOptions
{
    QCommandLineOption exam;
    QCommandLineOption minutes;
    QCommandLineOption moreTime;
    QCommandLineOption sheets;
};

ExamOptions addExamOptions(QCommandLineParser &parser)
{
    const QCommandLineOption exam(
        QStringLiteral("exam"),
        QCoreApplication::translate(
            "kovra", "With --write: a test for marks. FILE is the teacher's test, which holds the "
                     "key; the pupils' copy, which holds none, is written beside it."));
    const QCommandLineOption minutes(
        QStringLiteral("minutes"),
        QCoreApplication::translate("kovra", "With --exam: the time limit in minutes."),
        QCoreApplication::translate("kovra", "N"));
    const QCommandLineOption moreTime(
        QStringLiteral("more-time"),
        QCoreApplication::translate(
            "kovra", "With --exam: also a pupils' copy with more time, PERCENT of it (125, 150 "
                     "or 200); may be given again."),
        QCoreApplication::translate("kovra", "PERCENT"));
    // A test for marks shows the pupils no review: the teacher hands back a sheet for each.
    const QCommandLineOption sheets(
        QStringLiteral("sheets"),
        QCoreApplication::translate("kovra", "With --csv: also a review sheet for each pupil, "
                                             "each on pages of its own, as a PDF."),
        QCoreApplication::translate("kovra", "FILE"));
    parser.addOptions({exam, minutes, moreTime, sheets});
    return {exam, minutes, moreTime, sheets};
}

// False, with the usage told, when they are given wrong.
bool readExamOptions(const QCommandLineParser &parser, const ExamOptions &options,
                     CheckCommand &command)
{
    command.exam = parser.isSet(options.exam);
    command.sheets = parser.value(options.sheets);
    bool examRight =
        !(parser.isSet(options.minutes) || parser.isSet(options.moreTime)) || command.exam;
    if (parser.isSet(options.minutes)) {
        bool number = false;
        command.minutes = parser.value(options.minutes).toInt(&number);
        examRight = examRight && number && *command.minutes >= 0 && *command.minutes <= kMaxMinutes;
    }
    for (const QString &value : parser.values(options.moreTime)) {
        const int percent = value.toInt();
        examRight = examRight && std::find(kMoreTimePercents.begin(), kMoreTimePercents.end(),
                                           percent) != kMoreTimePercents.end();
        command.moreTime.push_back(percent);
    }
    if (!examRight || (command.exam && command.write.isEmpty()) ||
        (parser.isSet(options.sheets) && !parser.isSet(QStringLiteral("csv")))) {
        print(stderr, QStringLiteral("kovra-check: %1\n\n%2")
                          .arg(QCoreApplication::translate(
                                   "kovra", "--exam goes with --write; --minutes N (0 to %1) and "
                                            "--more-time 125, 150 or 200 go with --exam; --sheets "
                                            "goes with --csv")
                                   .arg(kMaxMinutes),
                               parser.helpText()));
        return false;
    }
    return true;
}

} // namespace

CheckCommand readCheckCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "kovra",
        "Checks a test, shows what the program will hold, or writes it as one test file."));
    const StandardOptions standard = addStandardOptions(parser);
    const QCommandLineOption dump(
        QStringLiteral("dump"),
        QCoreApplication::translate("kovra", "Print every list the program will hold."));
    const QCommandLineOption pack(
        QStringLiteral("pack"),
        QCoreApplication::translate("kovra", "Write the packed set the program embeds."),
        QCoreApplication::translate("kovra", "FILE"));
    const QCommandLineOption write(
        QStringLiteral("write"),
        QCoreApplication::translate(
            "kovra", "Write the test as one test file (.kovra), its figures fitted."),
        QCoreApplication::translate("kovra", "FILE"));
    const BankOptions bankOptions = addBankOptions(parser);
    const QCommandLineOption pdf(
        QStringLiteral("pdf"),
        QCoreApplication::translate(
            "kovra", "Write the test on paper as a PDF: its questions, their lettered choices "
                     "and figures."),
        QCoreApplication::translate("kovra", "FILE"));
    const QCommandLineOption key(
        QStringLiteral("key"),
        QCoreApplication::translate(
            "kovra", "With --pdf: the teacher's key (the right choices and explanations)."));
    const QCommandLineOption exportTo(
        QStringLiteral("export"),
        QCoreApplication::translate("kovra",
                                    "Write the test as Moodle XML (.xml, figures inside), GIFT "
                                    "(.gift, without figures) or CSV (.csv, figures in a folder "
                                    "beside it)."),
        QCoreApplication::translate("kovra", "FILE"));
    const CollectOptions collectOptions = addCollectOptions(parser);
    const ExamOptions examOptions = addExamOptions(parser);
    parser.addOptions({dump, pack, write, pdf, key, exportTo});
    parser.addPositionalArgument(
        QCoreApplication::translate("kovra", "SOURCE"),
        QCoreApplication::translate("kovra",
                                    "A content folder, a test file or a question bank (GIFT, "
                                    "Aiken, Moodle XML or CSV); without it, the built-in test."),
        QCoreApplication::translate("kovra", "[SOURCE]"));

    CheckCommand command;
    const bool parsed = parser.parse(withResultsValue(arguments));
    if (!parsed || parser.positionalArguments().size() > 1) {
        print(stderr, QStringLiteral("kovra-check: %1\n\n%2")
                          .arg(parsed ? QCoreApplication::translate("kovra", "one source at most")
                                      : parser.errorText(),
                               parser.helpText()));
        command.answered = 2;
        return command;
    }
    if (parser.isSet(standard.help)) {
        print(stdout, parser.helpText());
        command.answered = 0;
        return command;
    }
    if (parser.isSet(standard.version)) {
        print(stdout, QStringLiteral("kovra-check %1\n").arg(QLatin1String(KOVRA_VERSION)));
        command.answered = 0;
        return command;
    }
    command.source = parser.positionalArguments().value(0);
    command.dump = parser.isSet(dump);
    command.pack = parser.value(pack);
    command.write = parser.value(write);
    command.pdf = parser.value(pdf);
    command.key = parser.isSet(key);
    command.exportTo = parser.value(exportTo);
    if (!readBankOptions(parser, bankOptions, command)) {
        command.answered = 2;
    }
    if (!readExamOptions(parser, examOptions, command)) {
        command.answered = 2;
        return command;
    }
    if (!readCollectOptions(parser, collectOptions, command)) {
        command.answered = 2;
    }
    return command;
}

namespace {

// Writes the packed set and the test on paper, as asked; the exit status.
int writePackAndPaper(const CheckCommand &command, const LoadResult &loaded, const QString &name)
{
    if (!command.pack.isEmpty() && loaded.test->draw > 0) {
        print(stderr, QCoreApplication::translate(
                          "kovra", "%1: a test that draws its questions cannot be built into "
                                   "the program\n")
                          .arg(name));
        return 1;
    }
    if (!command.pack.isEmpty()) {
        if (const Problems failed = saveFile(command.pack, packContent(*loaded.content));
            !failed.empty()) {
            report(name, failed);
            return 1;
        }
    }
    if (!command.pdf.isEmpty()) {
        if (const Problems failed = writeTestPdf(command.pdf, *loaded.test,
                                                 command.key ? PrintPart::Key : PrintPart::Test);
            !failed.empty()) {
            report(name, failed);
            return 1;
        }
    }
    return 0;
}

} // namespace

int runCheck(const CheckCommand &command)
{
    const QString name = command.source.isEmpty()
                             ? QCoreApplication::translate("kovra", "built-in test")
                             : command.source;
    if (!command.csv.isEmpty()) {
        return collect(command);
    }
    // Paper, other programs and a test file written again take a test file's figures at the
    // size kept for paper; a check alone reads them as the player does.
    const bool paper =
        !command.pdf.isEmpty() || !command.exportTo.isEmpty() || !command.write.isEmpty();
    const Source read =
        readSource(command.source, command.bank, paper ? FigureUse::Paper : FigureUse::Screen);
    report(name, read.read.problems);
    if (const QString said = describeImport(read.bank); !said.isEmpty()) {
        print(stderr, QStringLiteral("%1: %2\n").arg(name, said));
    }
    LoadResult loaded;
    if (read.bank.test) {
        loaded = loadTest(std::move(*read.bank.test));
    } else if (read.read.files) {
        loaded =
            loadContent(read.read.files->json, read.read.files->figures, read.read.files->source);
    } else {
        return 1;
    }
    attachSourceLines(loaded.problems, read.bank);
    report(name, loaded.problems);
    if (!loaded.test) {
        return 1;
    }
    if (!command.write.isEmpty()) {
        Test test = *loaded.test;
        if (command.results) {
            test.collectResults = true;
            test.resultsFolder = *command.results;
        }
        if (command.exam || test.forMarks) {
            if (writeForMarks(command, std::move(test), name) != 0) {
                return 1;
            }
        } else if (writeTest(command, test, name) != 0) {
            return 1;
        }
    }
    if (!command.exportTo.isEmpty()) {
        const Problems problems = exportTest(*loaded.test, command.exportTo);
        report(name, problems);
        if (hasErrors(problems)) {
            return 1;
        }
    }
    if (writePackAndPaper(command, loaded, name) != 0) {
        return 1;
    }
    // The dump is the output when it is asked for; the passing line goes beside it.
    const QString passed = passingLine(*loaded.test, command.write,
                                       command.exam || loaded.test->forMarks.has_value()) +
                           QLatin1Char('\n');
    if (command.dump) {
        const QByteArray text = dumpContent(*loaded.content, &*loaded.test);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
        print(stderr, passed);
    } else {
        print(stdout, passed);
    }
    return 0;
}

} // namespace kovra
