// SPDX-License-Identifier: GPL-3.0-or-later
// A test for marks in the real player: the pupils' copy handed in by "Оценяване", by "Изход" and
// by the end of the time (on a clock the test moves), its result file sealed for the teacher;
// and a run killed with SIGKILL that goes on from its answers with the time that was left. Run
// with "--drive COPY JOURNALS", the program is a pupil's player that answers five questions,
// of every kind.

#include "content/cp1251.h"
#include "results/marks_files.h"
#include "results/seal.h"
#include "results_fixture.h"
#include "ui/for_marks.h"
#include "ui/kind_panel.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/player.h"
#include "ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <map>

using namespace kovra;

namespace {

constexpr int kAnsweredBeforeKill = 5;
const Pupil kPupil{QStringLiteral("Ана Иванова"), QStringLiteral("7а")};

// What the pupil answers each other kind with, and the credit the teacher's key gives it.
const std::map<QuestionKind, std::pair<Response, double>> kGiven{
    {QuestionKind::Several, {{.picked = {"2"}}, 0.5}},
    {QuestionKind::Typed, {{.typed = "Parisss"}, 0.5}},
    {QuestionKind::Number, {{.typed = "3,14"}, 1}},
    {QuestionKind::Matching, {{.picked = {"едно", "едно", "едно"}}, 1.0 / 3}}};

// The teacher's test of `questions` questions, the keys spread over the choices, its last four of
// every other kind when `kinds`, and its pupils' copy; the paths of both.
std::pair<QString, QString> writeForMarks(const QString &dir, int questions, int minutes,
                                          Test *written = nullptr, bool kinds = false)
{
    QList<int> keys;
    for (int q = 0; q < questions; ++q) {
        keys << q % 4;
    }
    Test test =
        *loadContent(
             testing::resultsTestJson(questions, QString(), keys),
             [](const QString &) { return std::optional<QByteArray>(); }, FigureSource::Authored)
             .test;
    if (kinds) {
        testing::withEveryKind(test);
    }
    test.forMarks = ForMarks{minutes, {}, {}};
    const QString teachers = QDir(dir).filePath(QStringLiteral("Тест.kovra"));
    if (!makeKeysOnce(test) || !writeTestForMarks(test, teachers).empty()) {
        return {};
    }
    if (written) {
        *written = test;
    }
    return {teachers, pupilsCopyPath(teachers)};
}

KOVRA_Prazno *shownWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<KOVRA_Prazno *>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// The visible box of that name over the window, if any.
QMessageBox *box(KOVRA_Prazno &window, const char *name)
{
    for (auto *found : window.findChildren<QMessageBox *>(QLatin1String(name))) {
        if (found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// Whether the other kinds' boxes show a colour of right or wrong: the check boxes stand in the
// colour of the answers to choose, the panel's line and items in no colour of a credit.
bool marksShown(const KOVRA_Prazno &window)
{
    bool marked = false;
    for (int s = 0; s < 5; ++s) {
        marked = marked || backColor(window.Tick(s)) != layout::kOptionColor;
    }
    for (const QWidget *shown : window.kindPanel()->findChildren<QWidget *>()) {
        marked = marked ||
                 QList{creditColor(0), creditColor(0.5), creditColor(1)}.contains(backColor(shown));
    }
    return marked;
}

struct Answered
{
    QStringList chosen;  // the texts of single choice
    double points = 0;   // of the other kinds, by the teacher's key
    int wholly = 0;      // of them wholly right
    bool marked = false; // whether a mark of right or wrong was shown
};

// Answers the first `count` positions: slot p % 2 of single choice, the other kinds by kGiven,
// typed on the keyboard.
Answered answer(KOVRA_Prazno &window, int count)
{
    Answered answered;
    for (int p = 0; p < count; ++p) {
        if (const Question *kind = window.kindAt(window.runState().questionAt(p))) {
            const auto &[given, credit] = kGiven.at(kind->kind);
            if (given.typed.isEmpty()) {
                window.answerAgain(p, given);
            } else {
                QTest::keyClicks(window.kindPanel()->line(), given.typed);
            }
            answered.points += credit;
            answered.wholly += credit >= 1 ? 1 : 0;
        } else {
            QTest::mouseClick(window.Option1(p % 2), Qt::LeftButton);
            answered.chosen << fromCp1251(window.Text2(p % 2 + 1)->text());
        }
        answered.marked = answered.marked || marksShown(window);
        QTest::mouseClick(window.Command1(0), Qt::LeftButton);
    }
    return answered;
}

int drive(const QString &copy, const QString &journals)
{
    QTimer::singleShot(0, [] {
        if (KOVRA_Prazno *window = shownWindow()) {
            answer(*window, kAnsweredBeforeKill);
        }
        std::printf("answered\n");
        std::fflush(stdout);
    });
    return startPlayer({std::nullopt, copy, kPupil, 7U, nullptr, journals});
}

} // namespace

class TestMarksPlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void handsIn_data();
    void handsIn();
    void goesOnAfterKill();
};

void TestMarksPlayer::handsIn_data()
{
    QTest::addColumn<int>("answers"); // of five questions
    QTest::addColumn<QString>("end"); // "Оценяване", "Изход" or the time's end
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<bool>("kinds"); // the last four questions of every other kind
    QTest::newRow("Оценяване, two questions open") << 3 << "evaluate" << 0 << 0 << false;
    QTest::newRow("Оценяване, every question answered") << 5 << "evaluate" << 0 << 0 << false;
    QTest::newRow("Изход asks: back to the test, then hand in") << 2 << "exit" << 10 << 0 << false;
    QTest::newRow("one minute, handed in at the minute") << 1 << "time" << 1 << 0 << false;
    QTest::newRow("six minutes, warned at 5 and at 1") << 4 << "time" << 6 << 2 << false;
    QTest::newRow("every kind, each answered, partly right") << 5 << "evaluate" << 0 << 0 << true;
    QTest::newRow("every kind, three answered when the time is over")
        << 3 << "time" << 1 << 0 << true;
}

void TestMarksPlayer::handsIn()
{
    QFETCH(int, answers);
    QFETCH(QString, end);
    QFETCH(int, minutes);
    QFETCH(int, warnings);
    QFETCH(bool, kinds);
    QTemporaryDir dir;
    Test test;
    const auto [teachers, copy] = writeForMarks(dir.path(), 5, minutes, &test, kinds);
    QVERIFY(!copy.isEmpty());
    qint64 now = 0;
    Answered given;
    QStringList &chosen = given.chosen;
    bool answersAfter = false; // answers still taken after the hand-in
    QString told;
    bool handedIn = false;
    QTimer::singleShot(0, this, [&] {
        KOVRA_Prazno *window = shownWindow();
        QVERIFY(window && window->isForMarks());
        auto *keeper = window->findChild<MarksKeeper *>(QStringLiteral("forMarks"));
        given = answer(*window, answers);
        if (end == QLatin1String("evaluate")) {
            QTest::mouseClick(window->Command2(0), Qt::LeftButton);
            if (QMessageBox *asked = box(*window, "handInQuestion")) {
                told = asked->text();
                asked->findChild<QPushButton *>(QStringLiteral("handIn"))->click();
            }
        } else if (end == QLatin1String("exit")) {
            window->izhod(0)->trigger();
            QVERIFY(box(*window, "handInQuestion"));
            box(*window, "handInQuestion")->escapeButton()->click(); // back to the test
            QVERIFY(!window->handedIn() && window->isVisible());
            window->close();
            told = box(*window, "handInQuestion")->text();
            box(*window, "handInQuestion")->findChild<QPushButton *>("handIn")->click();
            return; // handed in and ended
        } else {
            const qint64 limit = qint64{minutes} * 60'000;
            for (const qint64 at : {qint64{61'000}, qint64{301'000}, limit - 1}) {
                now = std::min(at, limit - 1);
                keeper->tick();
            }
            QVERIFY(!window->handedIn());
            now = limit;
            keeper->tick();
            told = fromCp1251(window->Text1(0)->text());
            QCOMPARE(static_cast<int>(window->findChildren<QMessageBox *>("timeWarning").size()),
                     warnings);
        }
        handedIn = window->handedIn();
        // No score, no credit, no colour of right or wrong, before or after; no more answers.
        QVERIFY(!fromCp1251(window->Label1(1)->caption()).contains(QLatin1Char('%')));
        given.marked = given.marked || marksShown(*window) || told.contains(u"Точки");
        answersAfter = window->kindPanel()->isEnabled() || window->Tick(0)->isEnabled();
        QTRY_VERIFY(box(*window, "resultsMessage"));
        window->izhod(0)->trigger(); // handed in: ends with no question
    });
    QCOMPARE(startPlayer({std::nullopt, copy, kPupil, 7U, [&now] { return now; },
                          dir.filePath(QStringLiteral("journals"))}),
             0);
    QVERIFY(handedIn || end == QLatin1String("exit"));
    QVERIFY(!given.marked && !answersAfter);
    if (answers < 5) {
        QVERIFY2(told.contains(end == QLatin1String("time")
                                   ? QStringLiteral("Времето изтече")
                                   : QStringLiteral("на %1 от 5 въпроса").arg(5 - answers)),
                 qPrintable(told));
    }

    // One file, sealed: none of the chosen texts in it, opened only with the teacher's test,
    // where it is marked by the teacher's key; another teacher's test and a byte changed refuse it.
    const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.kovres")});
    QCOMPARE(files.size(), 1);
    QFile file(dir.filePath(files.first()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray sealed = file.readAll();
    QCOMPARE((sealed.size() - kMinSealedBytes) % kSealedBlockBytes, 0); // no length of a text
    for (const QString &text : chosen + QStringList{kPupil.name, test.title}) {
        QVERIFY(!sealed.contains(text.toUtf8()));
    }
    QCOMPARE(readResultFile(file.fileName()).problem->kind, ProblemKind::ResultSealed);
    const ClassResults results = collectResults(dir.path(), markingTest(test, {}));
    QCOMPARE(results.pupils.size(), std::size_t{1});
    int right = 0;
    for (const QString &text : chosen) {
        for (const Question &question : test.questions) {
            right += question.rightText() == text ? 1 : 0;
        }
    }
    QCOMPARE(results.pupils.front().answered, answers);
    QCOMPARE(results.pupils.front().right, right + given.wholly);
    QCOMPARE(results.pupils.front().points, right + given.points);
    QVERIFY(results.pupils.front().evaluated);
    // The pupil's window gave the file no credit and no verdict: the teacher's test marks it.
    const ParsedResult opened = readResultFile(file.fileName(), markingTest(test, {}).identity);
    QVERIFY(opened.record);
    for (const ResultAnswer &kept : opened.record->answers) {
        QVERIFY(!kept.credit && kept.verdict == Verdict::None);
    }
    Test another = test;
    another.forMarks->publicKey.clear();
    QVERIFY(makeKeysOnce(another));
    QCOMPARE(collectResults(dir.path(), markingTest(another, {})).apart.size(), std::size_t{1});
    QByteArray changed = sealed;
    changed[changed.size() / 2] = static_cast<char>(changed[changed.size() / 2] ^ 1);
    QVERIFY(testing::put(file.fileName(), changed));
    QCOMPARE(readResultFile(file.fileName(), markingTest(test, {}).identity).problem->kind,
             ProblemKind::ResultSealedElsewhere);
}

// Killed after five answers, of single choice and of the other kinds, the pupil's player starts
// the copy again: the same answers, the time that was left (less at most the journal's step), the
// same result file, which holds them once handed in; a third start is refused.
void TestMarksPlayer::goesOnAfterKill()
{
    QTemporaryDir dir;
    const int minutes = 20;
    const QString copy = writeForMarks(dir.path(), 6, minutes, nullptr, true).second;
    const QString journals = dir.filePath(QStringLiteral("journals"));
    QElapsedTimer ran;
    ran.start();
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--drive"), copy, journals});
    QVERIFY(child.waitForReadyRead(20000));
    QVERIFY(child.readAll().contains("answered"));
    child.kill(); // SIGKILL
    QVERIFY(child.waitForFinished(5000));
    const QStringList before = QDir(dir.path()).entryList({QStringLiteral("*.kovres")});
    QCOMPARE(before.size(), 1);

    int answered = -1;
    qint64 secondsLeft = -1;
    std::vector<KindAnswer> back; // by position, the answers of the other kinds given back
    QTimer::singleShot(0, this, [&] {
        KOVRA_Prazno *window = shownWindow();
        QVERIFY(window);
        answered = window->runState().AnsweredCount;
        back = window->kindAnswers();
        auto *keeper = window->findChild<MarksKeeper *>(QStringLiteral("forMarks"));
        const auto left = QRegularExpression(QStringLiteral("(\\d+):(\\d\\d)"))
                              .match(keeper->timeLabel()->text());
        secondsLeft = left.captured(1).toInt() * 60 + left.captured(2).toInt();
        QTest::mouseClick(window->Command2(0), Qt::LeftButton);
        box(*window, "handInQuestion")->findChild<QPushButton *>(QStringLiteral("handIn"))->click();
        QTRY_VERIFY(box(*window, "resultsMessage"));
        window->izhod(0)->trigger();
    });
    QCOMPARE(startPlayer({std::nullopt, copy, kPupil, std::nullopt, nullptr, journals}), 0);
    QCOMPARE(answered, kAnsweredBeforeKill);
    QVERIFY2(secondsLeft <= minutes * 60 && secondsLeft >= minutes * 60 - ran.elapsed() / 1000 - 6,
             qPrintable(QString::number(secondsLeft)));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.kovres")}), before);
    const ParsedResult parsed = readResultFile(
        dir.filePath(before.first()),
        markingTest(*loadTestFile(dir.filePath(QStringLiteral("Тест.kovra"))).test, {}).identity);
    QVERIFY(parsed.record && parsed.record->evaluated);
    for (int p = 0; p < kAnsweredBeforeKill; ++p) {
        const ResultAnswer &kept = parsed.record->answers.at(static_cast<std::size_t>(p));
        QCOMPARE(kept.kind, back.at(std::size_t(p)).kind);
        if (kept.kind == QuestionKind::Single) {
            QCOMPARE(kept.chosen, std::optional(p % 2));
        } else {
            QCOMPARE(back.at(std::size_t(p)).response, kGiven.at(kept.kind).first);
            QCOMPARE(kept.response, kGiven.at(kept.kind).first);
        }
    }
    QCOMPARE(startPlayer({std::nullopt, copy, kPupil, std::nullopt, nullptr, journals}), 0);
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.kovres")}), before);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--drive") == 0) {
        return drive(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    TestMarksPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_marks_player.moc"
