// SPDX-License-Identifier: GPL-3.0-or-later
// The real player with a fixed draw, driven through a test that keeps results: the result file
// after every answer, the folder that cannot be written and its fallback, a full disk, and 200
// runs killed at a random moment. Run with "--drive TEST NAME", the program is the driven
// player itself, printing each answer once its click is handled, before the file is looked at.

#include "results/recorder.h"
#include "results_fixture.h"
#include "testfile/testfile.h"
#include "ui/kovra_prazno.h"
#include "ui/player.h"
#include "ui/pupil_dialog.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <functional>
#include <set>
#include <sys/resource.h>

using namespace kovra;

namespace {

constexpr int kQuestions = 10;
constexpr int kKills = 200;
constexpr int kAtOnce = 4;

// Answers each position in turn, the first or the second slot by turns, and waits for
// the file after each answer; then evaluates. Told every answer kept, or a write that failed.
class Driver : public QObject
{
public:
    std::function<void(KOVRA_Prazno &)> started = [](KOVRA_Prazno &) {};
    std::function<void(int position, int slot, bool kept)> answered = [](int, int, bool) {};
    std::function<void(int position, int slot)> given = [](int, int) {}; // once clicked
    std::function<void()> before = [] {};                                // before each answer
    std::function<void(KOVRA_Prazno &)> finished;

    void begin()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            m_window = m_window ? m_window : qobject_cast<KOVRA_Prazno *>(widget);
        }
        QVERIFY(QTest::qWaitForWindowExposed(m_window)); // and a message of the start opened
        auto *recorder = m_window->findChild<ResultRecorder *>(QStringLiteral("results"));
        connect(recorder, &ResultRecorder::saved, this, [this](int write) {
            if (write >= m_given) {
                next(true);
            }
        });
        connect(recorder, &ResultRecorder::failed, this, [this] { next(false); });
        started(*m_window);
        answer();
    }

private:
    void answer()
    {
        before();
        m_slot = m_window->runState().CurrentPos % 2; // every question has two choices at least
        ++m_given;
        QTest::mouseClick(m_window->Option1(m_slot), Qt::LeftButton);
        given(m_window->runState().CurrentPos, m_slot);
    }
    void next(bool kept)
    {
        if (m_evaluated) {
            return; // the evaluation's own file
        }
        const int position = m_window->runState().CurrentPos;
        answered(position, m_slot, kept);
        if (position + 1 < m_window->runState().QuestionCount) {
            QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
            answer();
            return;
        }
        m_evaluated = true;
        QTest::mouseClick(m_window->Command2(0), Qt::LeftButton);
        finished(*m_window);
    }

    KOVRA_Prazno *m_window = nullptr;
    int m_given = 0;
    int m_slot = 0;
    bool m_evaluated = false;
};

// The player's message box over the window, closed once read; empty when none is shown.
QString takeMessage(KOVRA_Prazno &window)
{
    QString text;
    for (auto *box : window.findChildren<QMessageBox *>(QStringLiteral("resultsMessage"))) {
        if (box->isVisible()) {
            text = box->text();
            box->accept();
        }
    }
    return text;
}

ParsedResult readBack(const QString &path, const TestIdentity &test, bool &holds)
{
    ParsedResult parsed = readResultFile(path);
    holds = parsed.record && checksumHolds(parsed, test.key);
    return parsed;
}

int drive(const QString &test, const QString &name)
{
    Driver driver;
    driver.given = [](int position, int slot) {
        std::printf("%d %d\n", position, slot);
        std::fflush(stdout);
    };
    driver.started = [](KOVRA_Prazno &) {
        std::printf("started\n");
        std::fflush(stdout);
    };
    driver.finished = [](KOVRA_Prazno &window) { window.izhod(0)->trigger(); };
    QTimer::singleShot(0, &driver, [&driver] { driver.begin(); });
    return startPlayer({std::nullopt, test, Pupil{name, QStringLiteral("7а")}, 7U});
}

} // namespace

class TestResultsPlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepsEveryAnswer_data();
    void keepsEveryAnswer();
    void cancelWritesNothing();
    void survivesKills();
};

void TestResultsPlayer::keepsEveryAnswer_data()
{
    QTest::addColumn<QString>("folder"); // the test's results folder; "blocked" is a file
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<int>("fullAt"); // the position whose answer meets a full disk; -1 none
    QTest::addColumn<int>("bank");   // the questions a run is drawn from
    QTest::addColumn<bool>("taken"); // a pupil of the same name and class started this second
    QTest::newRow("the test file's folder") << QString() << false << -1 << kQuestions << false;
    QTest::newRow("a folder of its own")
        << QStringLiteral("results") << false << -1 << kQuestions << false;
    QTest::newRow("a folder that cannot be written")
        << QStringLiteral("blocked") << true << -1 << kQuestions << false;
    QTest::newRow("a full disk at the fourth answer")
        << QString() << false << 3 << kQuestions << false;
    QTest::newRow("a run drawn from a bigger bank") << QString() << false << -1 << 25 << false;
    QTest::newRow("another pupil of the same name in the same second")
        << QString() << false << -1 << kQuestions << true;
}

void TestResultsPlayer::keepsEveryAnswer()
{
    QFETCH(QString, folder);
    QFETCH(bool, fallback);
    QFETCH(int, fullAt);
    QFETCH(int, bank);
    QFETCH(bool, taken);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("results")));
    QVERIFY(saveFile(dir.filePath(QStringLiteral("blocked")), "a file, not a folder").empty());
    qputenv("HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("home/.config")).toUtf8());
    const int draw = bank > kQuestions ? kQuestions : 0;
    const QString test = testing::writeTestFile(dir.filePath(QStringLiteral("test.kovra")),
                                                testing::resultsTestJson(bank, folder, {}, draw));
    QVERIFY(!test.isEmpty());
    const LoadResult loaded = loadTestFile(test);
    const TestIdentity identity = identifyTest(*loaded.test, {});
    const QString expectedFolder = fallback ? dir.filePath(QStringLiteral("home/Documents"))
                                            : QDir(dir.path()).filePath(folder);

    // The other pupil's files, of every second this run may start in.
    QStringList others;
    for (int second = 0; taken && second < 30; ++second) {
        others << QDir(expectedFolder)
                      .filePath(resultFileName(QStringLiteral("7а"), QStringLiteral("Иван Петров"),
                                               QDateTime::currentDateTime().addSecs(second)));
        QVERIFY(testing::put(others.back(), "another pupil's run"));
    }
    Driver driver;
    QStringList faults;
    QString path;
    QString startMessage;
    QString endMessage;
    KOVRA_Prazno *shown = nullptr;
    ::signal(SIGXFSZ, SIG_IGN);
    driver.started = [&](KOVRA_Prazno &window) {
        shown = &window;
        path = window.findChild<ResultRecorder *>(QStringLiteral("results"))->path();
        startMessage = takeMessage(window);
    };
    driver.before = [&] {
        if (shown->runState().CurrentPos == fullAt) {
            const rlimit full{static_cast<rlim_t>(QFileInfo(path).size()), RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &full);
        }
    };
    driver.answered = [&](int position, int slot, bool written) {
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        bool holds = false;
        const ParsedResult parsed = readBack(path, identity, holds);
        const int kept = written ? position + 1 : position;
        int inFile = 0;
        for (const ResultAnswer &answer :
             parsed.record ? parsed.record->answers : std::vector<ResultAnswer>()) {
            inFile += answer.chosen ? 1 : 0;
        }
        if (!holds || inFile != kept || written != (position != fullAt) ||
            (written && parsed.record->answers.at(position).chosen != slot)) {
            faults << QStringLiteral("position %1: %2 answers kept, file holds %3 (%4)")
                          .arg(position)
                          .arg(kept)
                          .arg(inFile)
                          .arg(parsed.problem ? describe(*parsed.problem) : QString());
        }
        const QString told = takeMessage(*shown);
        if (told.isEmpty() == (position == fullAt) ||
            (position == fullAt && !told.contains(QStringLiteral("дискът е пълен")))) {
            faults << QStringLiteral("position %1: told %2").arg(position).arg(told);
        }
    };
    driver.finished = [&](KOVRA_Prazno &window) {
        // The evaluation's file is written off the event's path: the box follows it.
        (void)QTest::qWaitFor([&] { return !(endMessage = takeMessage(window)).isEmpty(); });
        window.izhod(0)->trigger();
    };
    QTimer::singleShot(0, &driver, [&driver] { driver.begin(); });
    QCOMPARE(startPlayer({std::nullopt, test,
                          Pupil{QStringLiteral("  Иван   Петров "), QStringLiteral("7а")}, 7U}),
             0);

    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(expectedFolder).absoluteFilePath());
    QCOMPARE(startMessage.contains(QDir::toNativeSeparators(path)), fallback);
    QVERIFY2(endMessage.contains(QDir::toNativeSeparators(path)), qPrintable(endMessage));
    for (const QString &other : others) {
        QFile file(other);
        QVERIFY(other != path && file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("another pupil's run"));
    }
    bool holds = false;
    const ParsedResult parsed = readBack(path, identity, holds);
    QVERIFY(holds);
    QVERIFY(parsed.record->evaluated);
    QCOMPARE(parsed.record->title, QStringLiteral("Тест с резултати"));
    QFile file(test);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(parsed.record->testSha256,
             QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
    int right = 0;
    std::set<int> questions;
    for (const ResultAnswer &answer : parsed.record->answers) {
        right += answer.verdict == Verdict::Right ? 1 : 0;
        QVERIFY(answer.time.isValid());
        // Each question named by its place in the test, or in the bank a run was drawn from.
        if (answer.question < bank) {
            QCOMPARE(answer.text, QStringLiteral("Въпрос %1?").arg(answer.question + 1));
            questions.insert(answer.question);
        }
    }
    QCOMPARE(parsed.record->right, right);
    QCOMPARE(static_cast<int>(questions.size()), kQuestions);

    // The collector marks the file again: a run's questions, out of the bank's.
    const ClassResults results = collectResults(QFileInfo(path).absolutePath(),
                                                testing::writtenTest(test, folder, {}, bank, draw));
    QCOMPARE(results.pupils.size(), std::size_t{1});
    const PupilResult &pupil = results.pupils.front();
    QCOMPARE(pupil.right, right);
    QCOMPARE(pupil.mark.value, markFor(right, kQuestions, {}).value);
    QCOMPARE(static_cast<int>(std::count(pupil.given.begin(), pupil.given.end(), true)),
             kQuestions);
    for (int q = 0; q < bank; ++q) {
        const QuestionAnalysis &analysis = results.analysis.at(static_cast<std::size_t>(q));
        QCOMPARE(analysis.given, static_cast<int>(questions.count(q)));
        QCOMPARE(percentRight(analysis).has_value(), questions.count(q) == 1);
    }
}

void TestResultsPlayer::cancelWritesNothing()
{
    QTemporaryDir dir;
    qputenv("HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    const QString test = testing::writeTestFile(dir.filePath(QStringLiteral("test.kovra")),
                                                testing::resultsTestJson(kQuestions, QString()));
    // The program asks for the pupil's name itself; the pupil types one and then cancels, is
    // asked whether to end, goes back to the name, cancels again and ends.
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<PupilDialog *>(widget); dialog && dialog->isVisible()) {
                dialog->nameEdit()->setText(QStringLiteral("Иван"));
                dialog->classEdit()->setText(QStringLiteral("7а"));
                for (const char *answer : {"Назад към името", "Затвори"}) {
                    QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Cancel),
                                      Qt::LeftButton);
                    QMessageBox *question = nullptr;
                    for (auto *box : dialog->findChildren<QMessageBox *>()) {
                        question = box->isVisible() ? box : question;
                    }
                    QVERIFY(question && dialog->isVisible());
                    QVERIFY(question->text().contains(QStringLiteral("тестът не започва")));
                    for (QAbstractButton *button : question->buttons()) {
                        if (button->text() == QString::fromUtf8(answer)) {
                            button->click();
                        }
                    }
                }
                asked = true;
            }
        }
    });
    QCOMPARE(startPlayer({std::nullopt, test}), 0);
    QVERIFY(asked);
    QDirIterator files(dir.path(), {QStringLiteral("*.kovres")}, QDir::Files,
                       QDirIterator::Subdirectories);
    QVERIFY2(!files.hasNext(), qPrintable(files.hasNext() ? files.next() : QString()));
}

void TestResultsPlayer::survivesKills()
{
    QTemporaryDir dir;
    const QString test = testing::writeTestFile(dir.filePath(QStringLiteral("test.kovra")),
                                                testing::resultsTestJson(kQuestions, QString()));
    const TestIdentity identity = identifyTest(*loadTestFile(test).test, {});
    const auto run = [&test](int number) {
        auto *process = new QProcess;
        process->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--drive"), test, QStringLiteral("Ученик %1").arg(number)});
        return process;
    };
    // One run to its end gives the length of a run; the others are killed within it.
    std::unique_ptr<QProcess> whole(run(0));
    QElapsedTimer clock;
    QVERIFY(whole->waitForReadyRead(20000));
    clock.start();
    QByteArray told = whole->readAllStandardOutput();
    while (told.count('\n') < 1 + kQuestions && whole->waitForReadyRead(20000)) {
        told += whole->readAllStandardOutput(); // to the last answer kept
    }
    const qint64 length = std::max<qint64>(clock.elapsed(), 10);
    QVERIFY(whole->waitForFinished(20000));
    QCOMPARE(whole->exitCode(), 0);

    QStringList faults;
    std::vector<int> answersAtKill;
    // Four runs at once, each killed at a random moment after a random number of answers given,
    // so that every stage of a run meets a kill.
    const qint64 step = std::max<qint64>(length / kQuestions, 2);
    int started = 0;
    int ended = 0;
    QEventLoop loop;
    std::function<void()> launch = [&] {
        for (; started < kKills && started - ended < kAtOnce; ++started) {
            QProcess *process = run(started + 1);
            const int number = started + 1;
            const int after = QRandomGenerator::global()->bounded(kQuestions);
            connect(process, &QProcess::readyReadStandardOutput, process, [process, after, step] {
                // "started" and a line for each answer given, left to be read at the end.
                const auto lines = process->peek(qint64{1} << 16).count('\n');
                if (!process->property("timed").toBool() && lines > after) {
                    process->setProperty("timed", true);
                    QTimer::singleShot(QRandomGenerator::global()->bounded(step), process,
                                       [process] { process->kill(); });
                }
            });
            connect(process, &QProcess::finished, &loop, [&, process, number] {
                const QStringList files =
                    QDir(dir.path())
                        .entryList({QStringLiteral("7а Ученик %1 *.kovres").arg(number)});
                bool holds = false;
                const ParsedResult parsed =
                    files.size() == 1 ? readBack(dir.filePath(files.first()), identity, holds)
                                      : ParsedResult();
                // "started", then "POSITION SLOT" for each answer given, printed once its click was
                // handled.
                const QStringList told =
                    QString::fromUtf8(process->readAllStandardOutput()).split(QLatin1Char('\n'));
                for (const QString &line : told.mid(1, told.size() - 2)) {
                    const QStringList answer = line.split(QLatin1Char(' '));
                    holds = holds && parsed.record->answers.at(answer.value(0).toUInt()).chosen ==
                                         answer.value(1).toInt();
                }
                if (process->exitStatus() == QProcess::CrashExit) {
                    answersAtKill.push_back(static_cast<int>(told.size()) - 2);
                }
                if (!holds) {
                    faults << QStringLiteral("run %1: %2").arg(number).arg(told.join(u'|'));
                }
                process->deleteLater();
                ++ended == kKills ? loop.quit() : launch();
            });
        }
    };
    launch();
    loop.exec();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    // Most runs die within the run, at every stage of it.
    std::sort(answersAtKill.begin(), answersAtKill.end());
    QVERIFY(answersAtKill.size() > kKills / 2);
    qInfo("%zu of %d runs killed within the run (a run: %lld ms); answers kept before the kill: "
          "%d to %d, median %d",
          answersAtKill.size(), kKills, length, answersAtKill.front(), answersAtKill.back(),
          answersAtKill[answersAtKill.size() / 2]);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--drive") == 0) {
        return drive(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    TestResultsPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_results_player.moc"
