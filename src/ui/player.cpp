// SPDX-License-Identifier: GPL-3.0-or-later
#include "player.h"

#include "content/player_set.h"
#include "content/translation.h"
#include "results/journal.h"
#include "results/marks_files.h"
#include "results/resultfile.h"
#include "results/stake.h"
#include "run/random.h"
#include "testfile/testfile.h"
#include "ui/for_marks.h"
#include "ui/kovra_prazno.h"
#include "ui/look.h"
#include "ui/pupil_dialog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <cstdio>
#include <future>

namespace kovra {

namespace {

// The player's options, in the words of the installed translation.
struct PlayerOptions
{
    QCommandLineParser parser;
    StandardOptions standard = addStandardOptions(parser);
    bool parsed = false;

    explicit PlayerOptions(const QStringList &arguments)
    {
        parser.setApplicationDescription(
            QCoreApplication::translate("kovra", "Plays a multiple-choice test."));
        parser.addPositionalArgument(
            QCoreApplication::translate("kovra", "FILE"),
            QCoreApplication::translate("kovra",
                                        "A test file (.kovra); without it, the built-in test."),
            QCoreApplication::translate("kovra", "[FILE]"));
        parsed = parser.parse(arguments);
    }
    [[nodiscard]] bool wrong() const { return !parsed || parser.positionalArguments().size() > 1; }
};

} // namespace

PlayerCommand readCommandLine(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    {
        const PlayerOptions options(arguments);
        if (!options.wrong() && !options.parser.isSet(options.standard.help) &&
            !options.parser.isSet(options.standard.version)) {
            return {std::nullopt, options.parser.positionalArguments().value(0)};
        }
    }
    // The answer needs the program's name and its words, not a screen.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));
    installTranslation(QLocale::system());
    PlayerOptions options(arguments);
    QCommandLineParser &parser = options.parser;
    if (options.wrong()) {
        const QString error = options.parsed
                                  ? QCoreApplication::translate("kovra", "one test file at most")
                                  : parser.errorText();
        std::fprintf(stderr, "kovra: %s\n\n%s", error.toUtf8().constData(),
                     parser.helpText().toUtf8().constData());
        return {2, {}};
    }
    if (parser.isSet(options.standard.help)) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
    } else {
        std::printf("kovra %s\n", KOVRA_VERSION);
    }
    return {0, {}};
}

namespace {

// Reports why the test cannot be played: on standard error as the checker words it, in the
// language of the locale, and in a message box in the program's language, whatever the locale.
// `source` names the test file; empty, the built-in test. Returns the exit status.
int refuse(Problems problems, const QString &source)
{
    limitProblems(problems); // the message stays short, whatever the file holds
    const auto described = [](const Problems &shown, const QLocale &language) {
        installTranslation(language);
        QStringList lines;
        for (const Problem &problem : shown) {
            lines << describe(problem);
        }
        return lines;
    };
    const QString name = source.isEmpty() ? QStringLiteral("built-in set") : source;
    for (const QString &line : described(problems, QLocale::system())) {
        std::fprintf(stderr, "kovra: %s: %s\n", name.toUtf8().constData(),
                     line.toUtf8().constData());
    }
    // The box names the first few and fits any screen; all that were kept are in its details.
    constexpr std::size_t kShownInBox = 3;
    Problems first = problems;
    limitProblems(first, kShownInBox);
    const QString summary = described(first, QLocale(QLocale::Bulgarian)).join(QLatin1Char('\n'));
    const QString details =
        described(problems, QLocale(QLocale::Bulgarian)).join(QLatin1Char('\n'));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        // The pupil is told in plain words what to do; the details are for the teacher.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("КОВРА"),
                        source.isEmpty()
                            ? QStringLiteral("Вграденият тест е повреден и не може да се пусне.")
                            : QStringLiteral("Този тест не може да се използва:\n%1")
                                  .arg(QDir::toNativeSeparators(source)));
        box.setInformativeText((source.isEmpty()
                                    ? QStringLiteral("Инсталирайте програмата отново.")
                                    : QStringLiteral("Кажете на учителя си, че файлът с теста е "
                                                     "повреден или сбъркан. За учителя:")) +
                               QLatin1Char('\n') + summary);
        if (first.size() < problems.size()) {
            box.setDetailedText(details);
        }
        box.exec();
    }
    return 1;
}

int play(KOVRA_Prazno &window, LoadResult loaded, const QString &source)
{
    if (!loaded.content) {
        return refuse(loaded.problems, source);
    }
    window.load(std::move(*loaded.content), loaded.test);
    window.show();
    return QApplication::exec();
}

// Tells the pupil in a box over the window, which takes no answer until it is closed; and on
// standard error.
void tell(KOVRA_Prazno &window, QMessageBox::Icon icon, const QString &text)
{
    std::fprintf(stderr, "kovra: %s\n", text.toUtf8().constData());
    auto *box = new QMessageBox(icon, QStringLiteral("КОВРА"), text, QMessageBox::Ok, &window);
    box->setObjectName(QStringLiteral("resultsMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// Tells the pupil why the test does not start, on standard error and, on a real screen, in a
// box; the exit status.
int say(const QString &text, QMessageBox::Icon icon = QMessageBox::Information, int status = 0)
{
    std::fprintf(stderr, "kovra: %s\n", text.toUtf8().constData());
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        QMessageBox box(icon, QStringLiteral("КОВРА"), text);
        box.exec();
    }
    return status;
}

// A test file's SHA-256, read again after it was checked; empty when it cannot be read.
QByteArray fileBytesHash(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxTestFileBytes) {
        hash.addData(&file);
    }
    return hash.result();
}

// What went wrong with a write, in the pupil's words.
QString pupilWords(const std::optional<WriteFailure> &failure)
{
    if (!failure) {
        return {};
    }
    switch (failure->fault) {
    case WriteFault::DiskFull:
        return QStringLiteral("дискът е пълен");
    case WriteFault::NoFreeName:
        return QStringLiteral("всички имена за този ученик в тази секунда са заети");
    case WriteFault::CannotCreate:
        return QStringLiteral("в папката не може да се създаде файл: %1").arg(failure->system);
    case WriteFault::CannotSeal:
        return QStringLiteral("отговорите не могат да бъдат запечатани");
    case WriteFault::CannotWrite:
        break;
    }
    return QStringLiteral("грешка при запис: %1").arg(failure->system);
}

// Keeps the result file of the run in the window: written at the start, after every answer and
// at the evaluation, and every fault told to the pupil. A run that goes on writes on its file.
void keepResults(KOVRA_Prazno &window, ResultRecorder *recorder, const QString &folder,
                 const std::optional<Journal> &goingOn)
{
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    recorder->setKinds([&window] { return window.kindAnswers(); });
    ResultStart start;
    if (goingOn) {
        start = recorder->resume(goingOn->resultFile, goingOn->started, *window.content(),
                                 window.runState());
    }
    if (start.path.isEmpty()) { // a new run, or the stopped run's file is gone
        start = recorder->start(folder, fallback, *window.content(), window.runState());
    }
    if (start.path.isEmpty()) {
        tell(window, QMessageBox::Warning,
             QStringLiteral("Резултатът не може да бъде записан нито в папката „%1“ (%2), нито в "
                            "„%3“. Тестът може да се реши, но резултатът няма да бъде запазен.")
                 .arg(QDir::toNativeSeparators(folder), pupilWords(start.reason),
                      QDir::toNativeSeparators(fallback)));
        return;
    }
    if (start.fellBack) {
        tell(window, QMessageBox::Warning,
             QStringLiteral("В папката „%1“ не може да се пише (%2).\nРезултатът ще бъде записан "
                            "в:\n%3")
                 .arg(QDir::toNativeSeparators(folder), pupilWords(start.reason),
                      QDir::toNativeSeparators(start.path)));
    }
    auto failing = std::make_shared<bool>(false);
    QObject::connect(&window, &KOVRA_Prazno::answered, recorder, [&window, recorder] {
        recorder->answered(*window.content(), window.runState());
    });
    QObject::connect(recorder, &ResultRecorder::saved, &window, [failing] { *failing = false; });
    QObject::connect(
        recorder, &ResultRecorder::failed, &window,
        [&window, recorder, failing](const WriteFailure &reason) {
            if (*failing || recorder->isEvaluated()) {
                return;
            }
            *failing = true;
            tell(window, QMessageBox::Warning,
                 QStringLiteral("Последният отговор не можа да бъде записан (%1). "
                                "Тестът продължава; последният цял запис остава "
                                "в:\n%2")
                     .arg(pupilWords(reason), QDir::toNativeSeparators(recorder->path())));
        });
    // The evaluation's file is written off the event's path too; the box says where it went.
    QObject::connect(&window, &KOVRA_Prazno::evaluated, recorder, [&window, recorder] {
        recorder->evaluated(*window.content(), window.runState());
    });
    QObject::connect(recorder, &ResultRecorder::evaluationWritten, &window,
                     [&window, recorder](bool written) {
                         const QString path = QDir::toNativeSeparators(recorder->path());
                         if (written && window.isForMarks()) {
                             tell(window, QMessageBox::Information,
                                  QStringLiteral("Отговорите ви са предадени: запечатани са за "
                                                 "учителя във файла:\n%1")
                                      .arg(path));
                         } else if (written) {
                             tell(window, QMessageBox::Information,
                                  QStringLiteral("Резултатът е записан във файла:\n%1").arg(path));
                         } else {
                             tell(window, QMessageBox::Warning,
                                  QStringLiteral("Оценката не можа да бъде записана. Последният "
                                                 "цял запис е във файла:\n%1")
                                      .arg(path));
                         }
                     });
}

// A run of a test for marks: a new one, or the stopped run of this pupil going on.
struct MarksRun
{
    Journal journal;
    QString journalFile;
    bool goingOn = false;
};

// Takes up the pupil's stopped run, or begins a new one, with the window's draws to match; none
// when this pupil has handed the test in already.
std::optional<MarksRun> startForMarks(KOVRA_Prazno &window, const PlayerCommand &command,
                                      const TestIdentity &identity, const Pupil &pupil,
                                      const ForMarks &forMarks)
{
    MarksRun run;
    run.journalFile = journalPath(identity, pupil, command.journalFolder);
    if (std::optional<Journal> earlier = readJournal(run.journalFile)) {
        if (earlier->handedIn) {
            return std::nullopt;
        }
        run.journal = std::move(*earlier);
        run.goingOn = true;
    } else {
        run.journal.seed = command.seed.value_or(QRandomGenerator::global()->generate());
        run.journal.leftMs = qint64{forMarks.minutes} * 60 * 1000;
    }
    // The same draws as the stopped run's: the same questions in the same orders.
    window.setRandom(std::make_unique<ClockRandom>(run.journal.seed));
    window.setForMarks();
    return run;
}

} // namespace

int startPlayer(const PlayerCommand &command)
{
    if (command.file.isEmpty()) {
        return runPlayer(loadPlayerContent());
    }
    // Reading a test file, and decoding its figures above all, takes as long as building the
    // window: the file is read and checked on another core meanwhile, and the window is shown
    // only once the whole test has passed.
    struct Loaded
    {
        LoadResult result;
        QByteArray sha256; // of the file, when the test keeps results
    };
    std::future<Loaded> loading = std::async(std::launch::async, [file = command.file] {
        Loaded loaded{loadTestFile(file), {}};
        if (loaded.result.content && loaded.result.resultsFolder()) {
            loaded.sha256 = fileBytesHash(file);
        }
        return loaded;
    });
    QApplication::setFont(windowFont());
    KOVRA_Prazno window(command.seed ? std::make_unique<ClockRandom>(*command.seed)
                                     : std::make_unique<ClockRandom>());
    Loaded loaded = loading.get();
    if (loaded.result.test && loaded.result.test->isTeachersTest()) {
        // Not broken: the teacher's own, which pupils are not given.
        return say(QStringLiteral("„%1“ е учителският тест на тест за оценка: в него са верните "
                                  "отговори и той не се дава на учениците.\nНа учениците се дава "
                                  "копието „%2“.")
                       .arg(QDir::toNativeSeparators(command.file),
                            QFileInfo(pupilsCopyPath(command.file)).fileName()),
                   QMessageBox::Critical, 1);
    }
    if (!loaded.result.test || !loaded.result.resultsFolder()) {
        return play(window, std::move(loaded.result), command.file);
    }
    TestIdentity identity = identifyTest(*loaded.result.test, {});
    identity.sha256 = loaded.sha256.toHex();
    std::optional<Pupil> pupil = command.pupil;
    if (!pupil) {
        const std::optional<ForMarks> &marks = loaded.result.test->forMarks;
        PupilDialog dialog(identity.title,
                           marks ? std::optional(marks->minutes) : std::optional<int>());
        if (dialog.exec() != QDialog::Accepted) {
            return 0;
        }
        pupil = dialog.pupil();
    }
    const std::optional<ForMarks> forMarks = loaded.result.test->forMarks;
    std::optional<MarksRun> marks;
    if (forMarks) {
        marks = startForMarks(window, command, identity, *pupil, *forMarks);
        if (!marks) {
            return say(QStringLiteral("Вече предадохте отговорите си по този тест на този "
                                      "компютър. Учителят ще ги оцени."));
        }
    }
    const std::optional<Journal> goingOn =
        marks && marks->goingOn ? std::optional(marks->journal) : std::nullopt;
    window.load(std::move(*loaded.result.content), loaded.result.test);
    auto *recorder = new ResultRecorder(std::move(identity), *pupil, &window);
    recorder->setDrawn(window.drawnQuestions());
    recorder->setObjectName(QStringLiteral("results"));
    if (goingOn) {
        window.chooseAgain(goingOn->slots, goingOn->responses);
    }
    // The first file is written, and a fault told over the window, before any answer.
    window.show();
    keepResults(window, recorder, resultsFolderOf(command.file, *loaded.result.resultsFolder()),
                goingOn);
    if (marks) {
        marks->journal.resultFile = recorder->path();
        marks->journal.started = recorder->started();
        new MarksKeeper(window, recorder, marks->journal, marks->journalFile, forMarks->minutes > 0,
                        command.clock ? command.clock : steadyClock());
    }
    return QApplication::exec();
}

int runPlayer(LoadResult loaded)
{
    if (!loaded.content) {
        return refuse(loaded.problems, {});
    }
    QApplication::setFont(windowFont());
    KOVRA_Prazno window(std::make_unique<ClockRandom>());
    return play(window, std::move(loaded), {});
}

} // namespace kovra
