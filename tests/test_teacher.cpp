// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window, driven as a teacher drives it: a bank opened and mended, edits undone
// and redone, figures dropped and pasted, the test tried in the player and printed.

#include "content/dump.h"
#include "content/translation.h"
#include "results/marks_files.h"
#include "resultsview/resultsview.h"
#include "teacher/document.h"
#include "teacher/problem_panel.h"
#include "teacher/teacher_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <csignal>
#include <cstdio>

using namespace kovra;

namespace {

template <typename T> T *named(const QWidget &window, const QString &name)
{
    const QList<T *> all = window.findChildren<T *>();
    for (T *widget : all) {
        if (widget->accessibleName() == name) {
            return widget;
        }
    }
    return nullptr;
}

QByteArray dumpOf(const TestDocument &document)
{
    const LoadResult loaded = document.load();
    return loaded.content ? dumpContent(*loaded.content) : QByteArray();
}

QString fixture(const char *name)
{
    return qEnvironmentVariable("KOVRA_FIXTURES") + QLatin1Char('/') + QLatin1String(name);
}

QStringList recentMenu(const QWidget &window)
{
    QStringList texts;
    for (const QAction *action : window.findChild<QMenu *>(QStringLiteral("recent"))->actions()) {
        texts << action->text();
    }
    return texts;
}

using TestEdit = std::function<void(Test &)>;

} // namespace

Q_DECLARE_METATYPE(TestEdit)

class TestTeacher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // The recent files go to a settings file of this run, never the user's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
        // A closed window is the end of a row, not of the run.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void closeAsksAboutChanges_data();
    void closeAsksAboutChanges();
    void dropAndRecentOpen_data();
    void dropAndRecentOpen();
    void mendBankAndSave();
    void problemLinksToItsField_data();
    void problemLinksToItsField();
    void undoRedoAndRecovery();
    void figureFromDropAndPaste_data();
    void figureFromDropAndPaste();
    void tryPlaysTheTest_data();
    void tryPlaysTheTest();
    void pdfHoldsQuestionsAndKey_data();
    void pdfHoldsQuestionsAndKey();
    void bulgarianTitle();
    void testWithoutQuestions();
    void keyboardAndScreenReaders();
    void undoFromEveryField_data();
    void undoFromEveryField();
    void pasteWithoutClipboardOwner();
    void rightChoiceStaysMarked();
    void choiceEditsKeepTheRightOne_data();
    void choiceEditsKeepTheRightOne();
    void saveAsAsksBeforeReplacing_data();
    void saveAsAsksBeforeReplacing();
    void crashKeepsWork();
    void fitsTheScreen();
    void savedForMarks();

private:
    QTemporaryDir m_folder;
};

// A bank with a question the player cannot hold and a question whose key is two of its choices:
// the panel shows both, saving is refused, the link leads to the key's choice, and once it is
// mended the saved file opens again to the same test.
void TestTeacher::mendBankAndSave()
{
    const QString bank = m_folder.filePath(QStringLiteral("bank.gift"));
    QFile file(bank);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("::a:: Колко е 2 + 2? {=4 ~3 ~5}\n\n"
               "::b:: Колко е корен от 16? {=4 ~4 ~5}\n\n"
               "::c:: Опишете триъгълник. {}\n\n"
               "::d:: Колко е 3 . 3? {=9 ~6 ~8}\n");
    file.close();
    TeacherWindow window;
    window.show();
    QVERIFY(window.openPath(bank));
    auto *panel = window.findChild<QTextBrowser *>();
    QVERIFY2(panel->toPlainText().contains(QStringLiteral("line 5 question skipped")),
             qPrintable(panel->toPlainText()));
    QVERIFY(hasErrors(window.document()->problems()));
    // The place as the form labels it, not as the content format names its field.
    QVERIFY2(panel->toPlainText().contains(QStringLiteral("question 2, the right choice")),
             qPrintable(panel->toPlainText()));
    const QAbstractItemModel *list = window.findChild<QTreeView *>()->model();
    const auto problemMark = [list](int row) { return list->index(row, 3).data().toString(); };
    QCOMPARE(list->rowCount(), 3);
    QVERIFY(problemMark(0).isEmpty());
    QVERIFY(!problemMark(1).isEmpty());
    const QString saved = m_folder.filePath(QStringLiteral("mended.kovra"));
    QVERIFY(!window.saveTo(saved));
    QVERIFY(!QFile::exists(saved));
    // The refusal stays over the problems while the teacher mends them.
    const auto *problemPanel = window.findChild<ProblemPanel *>();
    QVERIFY(problemPanel->failure().contains(QStringLiteral("not saved")));

    Q_EMIT panel->anchorClicked(QUrl(QStringLiteral("problem:0")));
    QCOMPARE(window.currentQuestion(), 1);
    QCOMPARE(window.focusWidget(), named<QLineEdit>(window, QStringLiteral("Choice 1")));
    auto *choice = named<QLineEdit>(window, QStringLiteral("Choice 2"));
    choice->selectAll();
    QTest::keyClicks(choice, QStringLiteral("3"));
    QVERIFY(!hasErrors(window.document()->problems()));
    QVERIFY(problemMark(1).isEmpty());
    QVERIFY(!problemPanel->failure().isEmpty());
    QVERIFY(window.saveTo(saved));
    QVERIFY(window.document()->undoStack()->isClean());

    TeacherWindow again;
    QVERIFY(again.openPath(saved));
    const QByteArray dump = dumpOf(*again.document());
    QVERIFY(dump.contains("List1(0)[1]\t4\n") && dump.contains("List1(2)[2]\t3\n"));
    QCOMPARE(dump, dumpOf(*window.document()));
    QCOMPARE(dumpContent(*loadTestFile(saved).content), dump);

    // The pupils' results of the saved test open beside it, marked against it.
    again.findChild<QAction *>(QStringLiteral("showResults"))->trigger();
    auto *results = again.findChild<ResultsView *>();
    QVERIFY(results != nullptr && results->isWindow());
    QTRY_VERIFY(results->isVisible());
    QTRY_COMPARE(results->results().questions.size(), 3);
}

void TestTeacher::problemLinksToItsField_data()
{
    QTest::addColumn<TestEdit>("edit");
    QTest::addColumn<QString>("place"); // as the panel tells it
    QTest::addColumn<QString>("focus");
    const auto question = [](std::size_t at, const std::function<void(Question &)> &edit) {
        return TestEdit([=](Test &test) { edit(test.questions.at(at)); });
    };
    const QString bell = QStringLiteral("\u0007");
    QTest::newRow("choice 3") << question(2,
                                          [](Question &q) { q.choices[2] = QStringLiteral(" "); })
                              << "question 3, choice 3"
                              << "Choice 3";
    QTest::newRow("line 2 of the explanation")
        << question(0, [bell](Question &q) { q.explanation[1] += bell; })
        << "question 1, line 2 of the explanation"
        << "Explanation, one line a row";
    // The right choice of question 3 is its fifth.
    QTest::newRow("the key") << question(2, [](Question &q) { q.choices[0] = q.choices[4]; })
                             << "question 3, the right choice"
                             << "Choice 5";
    QTest::newRow("the figure")
        << question(1, [](Question &q) { q.figure.missing = QStringLiteral("figures/none.png"); })
        << "question 2, the figure"
        << "Choose a figure file";
    QTest::newRow("the text") << question(1, [bell](Question &q) { q.text += bell; })
                              << "question 2, the question's text"
                              << "Question text";
    // Of other kinds, with no phrase to put them into.
    const auto kind = [](std::size_t at, const std::function<void(Question &)> &edit) {
        return TestEdit([=](Test &test) {
            test.phrase = false;
            edit(test.questions.at(at));
        });
    };
    QTest::newRow("a credit") << kind(0,
                                      [](Question &q) {
                                          q.kind = QuestionKind::Several;
                                          q.weights = {0.5, 0, 0};
                                      })
                              << "question 1, the credits of the choices"
                              << "Credit of choice 1";
    QTest::newRow("a number") << kind(1,
                                      [](Question &q) {
                                          q.kind = QuestionKind::Number;
                                          q.accepted = {{QStringLiteral("x")}};
                                      })
                              << "question 2, accepted answer 1"
                              << "Accepted value 1";
    QTest::newRow("an item's answer")
        << kind(0,
                [](Question &q) {
                    q.kind = QuestionKind::Matching;
                    q.items = {QStringLiteral("x"), QStringLiteral("y")};
                    q.matches = {0, -1};
                })
        << "question 1, the answer of item 2"
        << "Answer of item 2";
    QTest::newRow("the title") << TestEdit([bell](Test &test) { test.title += bell; })
                               << "error: the settings"
                               << "Title";
}

// A problem's link leads to the field it names, which the panel names as the form labels it.
void TestTeacher::problemLinksToItsField()
{
    QFETCH(TestEdit, edit);
    QFETCH(QString, place);
    QFETCH(QString, focus);
    TeacherWindow window;
    window.show();
    QVERIFY(window.openPath(fixture("small")));
    Test edited = window.document()->data();
    edit(edited);
    window.document()->replace(QStringLiteral("edit"), edited);
    QCOMPARE(window.document()->problems().size(), std::size_t{1});
    auto *panel = window.findChild<QTextBrowser *>();
    QVERIFY2(panel->toPlainText().contains(place), qPrintable(panel->toPlainText()));
    Q_EMIT panel->anchorClicked(QUrl(QStringLiteral("problem:0")));
    auto *field = named<QWidget>(window, focus);
    QVERIFY(field);
    QCOMPARE(window.focusWidget(), field->focusProxy() ? field->focusProxy() : field);
}

// Every kind of edit through the window's controls, all undone and redone.
void TestTeacher::undoRedoAndRecovery()
{
    TeacherWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openPath(fixture("small")));
    const Test before = window.document()->data();

    QTest::keyClicks(named<QLineEdit>(window, QStringLiteral("Title")), QStringLiteral(" 2"));
    auto *text = named<QPlainTextEdit>(window, QStringLiteral("Question text"));
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, QStringLiteral(" ___?"));
    named<QCheckBox>(window, QStringLiteral("Show the explanations in the review"))->click();
    named<QAbstractButton>(window, QStringLiteral("Remove choice 1"))->click();
    named<QAbstractButton>(window, QStringLiteral("Duplicate the question"))->click();
    named<QAbstractButton>(window, QStringLiteral("Choice 2 is the right one"))->click();
    named<QAbstractButton>(window, QStringLiteral("Move the question up"))->click();
    named<QSpinBox>(window, QStringLiteral("Questions for each pupil"))->setValue(2);
    named<QAbstractButton>(window, QStringLiteral("Collect the pupils' results"))->click();
    QTest::keyClicks(named<QLineEdit>(window, QStringLiteral("Folder of the results")),
                     QStringLiteral("/srv"));
    const Test after = window.document()->data();
    QCOMPARE(after.title, before.title + QStringLiteral(" 2"));
    QCOMPARE(after.questions.size(), before.questions.size() + 1);
    QCOMPARE(after.questions.at(0).right, 1);
    QCOMPARE(after.questions.at(1).choices, before.questions.at(0).choices.mid(1));
    // The run's draw and the results are written only when they are set.
    const QJsonObject written = QJsonDocument::fromJson(filesOf(after).json).object();
    QCOMPARE(written.value(QStringLiteral("draw")).toInt(), 2);
    QCOMPARE(written.value(QStringLiteral("results"))[QStringLiteral("folder")].toString(),
             QStringLiteral("/srv"));
    const QJsonObject plain = QJsonDocument::fromJson(filesOf(before).json).object();
    QVERIFY(!plain.contains(QStringLiteral("draw")) && !plain.contains(QStringLiteral("results")));

    int steps = 0;
    while (window.document()->undoStack()->canUndo()) {
        QTest::keySequence(&window, QKeySequence::Undo);
        QVERIFY(++steps < 20);
    }
    QCOMPARE(steps, 10); // the keystrokes of one field are one step
    QVERIFY(window.document()->data() == before);
    QCOMPARE(text->toPlainText(), before.questions.at(0).text);
    while (window.document()->undoStack()->canRedo()) {
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Y));
    }
    QVERIFY(window.document()->data() == after);
}

void TestTeacher::figureFromDropAndPaste_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("dropped file") << QStringLiteral("file");
    QTest::newRow("dropped image") << QStringLiteral("image");
    QTest::newRow("pasted image") << QStringLiteral("paste");
}

void TestTeacher::figureFromDropAndPaste()
{
    QFETCH(QString, how);
    QImage image(900, 600, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    TeacherWindow window;
    window.show();
    window.selectQuestion(1);
    auto *figure = named<QLabel>(window, QStringLiteral("Figure, as the pupil sees it"));
    auto *data = new QMimeData;
    if (how == QLatin1String("file")) {
        const QString path = m_folder.filePath(QStringLiteral("drawing.png"));
        QVERIFY(image.save(path));
        data->setUrls({QUrl::fromLocalFile(path)});
    } else {
        data->setImageData(image);
    }
    if (how == QLatin1String("paste")) {
        QGuiApplication::clipboard()->setMimeData(data);
        named<QAbstractButton>(window, QStringLiteral("Paste a figure"))->click();
    } else {
        // Qt gives the drop to the widget that took the drag as it entered.
        QDragEnterEvent enter(figure->rect().center(), Qt::CopyAction, data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(figure, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(figure->rect().center()), Qt::CopyAction, data, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(figure, &drop);
        QVERIFY(drop.isAccepted());
        delete data;
    }
    const Question &question = window.document()->data().questions.at(1);
    QVERIFY(!question.figure.isEmpty());
    QVERIFY(!question.figure.fault);
    QCOMPARE(window.findChild<QTreeView *>()->model()->index(1, 2).data().toString().isEmpty(),
             false);
    QCOMPARE(figure->pixmap().deviceIndependentSize().toSize(),
             image.size().scaled(225, 137, Qt::KeepAspectRatio));
    // Filled in, the test saves with the figure fitted.
    Test filled = window.document()->data();
    for (Question &q : filled.questions) {
        q.text = QStringLiteral("Въпрос");
        q.choices = QStringList{QStringLiteral("а"), QStringLiteral("б")};
        q.explanation = QStringList{QStringLiteral("Защото.")};
    }
    window.document()->replace(QStringLiteral("fill"), filled);
    const QString saved = m_folder.filePath(how + QStringLiteral(".kovra"));
    QVERIFY(window.saveTo(saved));
    QCOMPARE(loadTestFile(saved).content->Picture1(2).size(), QSize(411, 274));
}

void TestTeacher::tryPlaysTheTest_data()
{
    QTest::addColumn<bool>("forMarks");
    QTest::newRow("for practice") << false;
    // Tried for practice: the player refuses a teacher's test.
    QTest::newRow("for marks") << true;
}

// The player gets the test as it will be saved, in a file of its own, and plays it.
void TestTeacher::tryPlaysTheTest()
{
    QFETCH(bool, forMarks);
    TeacherWindow window;
    window.setPlayerProgram(QStringLiteral(KOVRA_PLAYER));
    QVERIFY(window.openPath(fixture("small")));
    named<QComboBox>(window, QStringLiteral("Kind of test"))->setCurrentIndex(forMarks ? 1 : 0);
    QVERIFY(window.document()->makeKeys());
    QCOMPARE(window.document()->data().isTeachersTest(), forMarks);
    // A try keeps no result among the class's, even when the test collects them.
    named<QAbstractButton>(window, QStringLiteral("Collect the pupils' results"))->click();
    QVERIFY(window.document()->data().collectResults);
    QSignalSpy started(&window, &TeacherWindow::playerStarted);
    window.findChild<QAction *>(QStringLiteral("try"))->trigger();
    QCOMPARE(started.count(), 1);
    const auto pid = started.at(0).at(0).value<qint64>();
    const auto stop = qScopeGuard([pid] { ::kill(static_cast<pid_t>(pid), SIGTERM); });
    const QString file = started.at(0).at(1).toString();
    const LoadResult tried = loadTestFile(file);
    QVERIFY(!tried.resultsFolder().has_value() && !tried.test->forMarks);
    QCOMPARE(dumpContent(*tried.content), dumpOf(*window.document()));
    const auto commandLine = [pid] {
        QFile proc(QStringLiteral("/proc/%1/cmdline").arg(pid));
        return proc.open(QIODevice::ReadOnly) ? proc.readAll() : QByteArray();
    };
    QTRY_VERIFY(commandLine().contains(file.toUtf8()));
    // A player that refuses its test ends at once with status 1.
    QTest::qWait(1500);
    QCOMPARE(::kill(static_cast<pid_t>(pid), 0), 0);
    QVERIFY(window.document()->path().isEmpty()); // the teacher's test is not changed
}

void TestTeacher::pdfHoldsQuestionsAndKey_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("key");
    QTest::newRow("window, test") << QStringLiteral("window") << false;
    QTest::newRow("window, key") << QStringLiteral("window") << true;
    QTest::newRow("checker, test") << QStringLiteral("checker") << false;
    QTest::newRow("checker, key") << QStringLiteral("checker") << true;
    QTest::newRow("print dialog, test") << QStringLiteral("print") << false;
    QTest::newRow("print dialog, key") << QStringLiteral("printKey") << true;
}

void TestTeacher::pdfHoldsQuestionsAndKey()
{
    QFETCH(QString, how);
    QFETCH(bool, key);
    const QString pdf = m_folder.filePath(QStringLiteral("paper.pdf"));
    QFile::remove(pdf);
    TeacherWindow window;
    window.show();
    QVERIFY(window.openPath(fixture("small")));
    if (how == QLatin1String("checker")) {
        QStringList arguments{QStringLiteral("--pdf"), pdf, fixture("small")};
        if (key) {
            arguments << QStringLiteral("--key");
        }
        QCOMPARE(QProcess::execute(QStringLiteral(KOVRA_CHECK), arguments), 0);
    } else if (how == QLatin1String("window")) {
        QVERIFY(window.exportPdf(pdf, key ? PrintPart::Key : PrintPart::Test));
    } else {
        // The dialog waits open while the window goes on; the printer it was given, set to a
        // file, gets the paper once it is accepted.
        window.findChild<QAction *>(how)->trigger();
        auto *dialog = window.findChild<QPrintDialog *>();
        QVERIFY(dialog != nullptr);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->printer()->docName(), window.document()->data().title);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        dialog->done(QDialog::Accepted);
        QVERIFY(QFileInfo(pdf).size() > 0);
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    const QString paper = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    const QString letters = QStringLiteral("АБВГД");
    for (const Question &question : window.document()->data().questions) {
        QVERIFY2(paper.contains(question.text.simplified()), qPrintable(paper));
        for (int c = 0; c < question.choices.size(); ++c) {
            const QString lettered =
                letters.at(c) + QStringLiteral(") ") + question.choices.at(c).simplified();
            QCOMPARE(paper.contains(lettered), !key || c == question.right);
        }
        for (const QString &line : question.explanation) {
            QCOMPARE(paper.contains(line), key);
        }
    }
}

void TestTeacher::bulgarianTitle()
{
    QVERIFY(installTranslation(QLocale(QLocale::Bulgarian)));
    TeacherWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("КОВРА — учител"));
    // Qt's own dialogs speak Bulgarian too, and the question on closing uses the menu's words.
    window.show();
    QVERIFY(window.openPath(fixture("small")));
    window.findChild<QAction *>(QStringLiteral("saveAs"))->trigger();
    QFileDialog *dialog = nullptr;
    QTRY_VERIFY((dialog = window.findChild<QFileDialog *>()) != nullptr);
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text(),
             QStringLiteral("Име на &файла:"));
    dialog->reject();
    QTest::keyClicks(named<QLineEdit>(window, QStringLiteral("Заглавие")), QStringLiteral("!"));
    QVERIFY(!window.close());
    auto *box = window.findChild<QMessageBox *>();
    QVERIFY(box != nullptr);
    QCOMPARE(box->button(QMessageBox::Save)->text(), QStringLiteral("&Запиши"));
    box->button(QMessageBox::Discard)->click();
    QVERIFY(installTranslation(QLocale::c()));
}

// A test file may hold no question at all: every question button copes, and one is added.
void TestTeacher::testWithoutQuestions()
{
    QDir(m_folder.path()).mkpath(QStringLiteral("empty"));
    QFile content(m_folder.filePath(QStringLiteral("empty/content.json")));
    QVERIFY(content.open(QIODevice::WriteOnly));
    content.write(R"({"settings": ["a", "b0", "c0", "Празен", "d1", "e1"], "questions": []})");
    content.close();
    TeacherWindow window;
    QVERIFY(window.openPath(m_folder.filePath(QStringLiteral("empty"))));
    for (const char *name :
         {"Duplicate the question", "Delete the question", "Move the question up",
          "Move the question down", "Paste a figure", "Add a question"}) {
        named<QAbstractButton>(window, QLatin1String(name))->click();
    }
    QCOMPARE(window.document()->data().questions.size(), std::size_t{1});
    QCOMPARE(window.document()->problems().front().kind, ProblemKind::QuestionCount);
}

void TestTeacher::closeAsksAboutChanges_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("hasFile"); // the test has a file already
    QTest::newRow("save") << true << QMessageBox::Save << true << true << true;
    QTest::newRow("save, named on the way") << true << QMessageBox::Save << true << true << false;
    QTest::newRow("discard") << true << QMessageBox::Discard << true << false << true;
    QTest::newRow("cancel") << true << QMessageBox::Cancel << false << false << true;
    QTest::newRow("no changes") << false << QMessageBox::NoButton << true << false << true;
}

// Closing with changes asks, without waiting, whether to save them, and closes once answered.
void TestTeacher::closeAsksAboutChanges()
{
    QFETCH(bool, edited);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    QFETCH(bool, hasFile);
    const QString path = m_folder.filePath(QStringLiteral("closing.kovra"));
    QFile::remove(path);
    TeacherWindow window;
    window.show();
    QVERIFY(window.openPath(fixture("small")) && (!hasFile || window.saveTo(path)));
    const QByteArray before = dumpOf(*window.document());
    if (edited) {
        QTest::keyClicks(named<QLineEdit>(window, QStringLiteral("Title")), QStringLiteral(" 2"));
    }
    const QByteArray after = dumpOf(*window.document());
    QCOMPARE(after != before, edited);
    QCOMPARE(window.isWindowModified(), edited && hasFile); // the title names a file
    QCOMPARE(window.close(), !edited);
    auto *box = window.findChild<QMessageBox *>();
    QCOMPARE(box != nullptr, edited);
    if (box != nullptr) {
        QTRY_VERIFY(box->isVisible() && window.isVisible());
        window.close(); // asked once
        QCOMPARE(window.findChildren<QMessageBox *>().size(), 1);
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    }
    if (!hasFile) {
        // The name is asked for, and the window closes once the test is saved under it.
        QFileDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = window.findChild<QFileDialog *>()) != nullptr && dialog->isVisible());
        QVERIFY(window.isVisible());
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    }
    QTRY_COMPARE(window.isVisible(), !closes);
    QCOMPARE(dumpContent(*loadTestFile(path).content), saved ? after : before);
    QCOMPARE(dumpOf(*window.document()), after); // a cancel keeps the edit
    QCOMPARE(window.document()->undoStack()->isClean(), !edited || saved);
}

void TestTeacher::dropAndRecentOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("questions"); // of a bank
    QTest::newRow("test file") << QStringLiteral("dropped.kovra") << false << 0;
    QTest::newRow("test file with & in its name") << QStringLiteral("a & b.kovra") << false << 0;
    QTest::newRow("bank") << QStringLiteral("dropped.gift") << false << 3;
    QTest::newRow("bank over unsaved work") << QStringLiteral("dropped.gift") << true << 3;
    // Fewer than a test needs: opened all the same, for the teacher to add to.
    QTest::newRow("bank of two questions") << QStringLiteral("two.gift") << false << 2;
}

// A test or a bank dropped on the window opens, and comes first in File > Open recent, from
// where it opens again; the list holds each file once, the latest eight.
void TestTeacher::dropAndRecentOpen()
{
    QFETCH(QString, name);
    QFETCH(bool, edited);
    QFETCH(int, questions);
    const QString path = m_folder.filePath(name);
    const bool testFile = name.endsWith(QLatin1String(".kovra"));
    TeacherWindow window;
    QFile bank(path);
    if (testFile) {
        QVERIFY(window.openPath(fixture("small")) && window.saveTo(path));
    } else {
        const QByteArrayList lines{"::a:: Колко е 2 + 2? {=4 ~3 ~5}\n",
                                   "::b:: Колко е 3 . 3? {=9 ~6 ~8}\n",
                                   "::c:: Колко е 3 + 3? {=6 ~5 ~7}\n"};
        QVERIFY(bank.open(QIODevice::WriteOnly) &&
                bank.write(lines.mid(0, questions).join('\n')) > 0);
        bank.close();
    }
    QSettings().remove(QStringLiteral("recent"));
    window.findChild<QAction *>(QStringLiteral("new"))->trigger();
    window.show();
    if (edited) {
        QTest::keyClicks(named<QLineEdit>(window, QStringLiteral("Title")), QStringLiteral("New"));
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QVERIFY(enter.isAccepted() && drop.isAccepted());
    if (edited) { // the work is given up first
        QCOMPARE(window.document()->data().title, QStringLiteral("New"));
        QTest::mouseClick(window.findChild<QMessageBox *>()->button(QMessageBox::Discard),
                          Qt::LeftButton);
    }
    const OpenedTest expected = openTest(path);
    QVERIFY(expected.data && window.document()->data() == *expected.data);
    QCOMPARE(window.findChild<QTreeView *>()->model()->rowCount(),
             static_cast<int>(expected.data->questions.size()));
    QVERIFY(testFile || window.findChild<QTreeView *>()->model()->rowCount() == questions);
    QCOMPARE(window.windowTitle().startsWith(name + QStringLiteral("[*]")), testFile);
    const QString shown = QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&"));
    QCOMPARE(recentMenu(window), QStringList{shown});
    window.findChild<QAction *>(QStringLiteral("new"))->trigger();
    QVERIFY(!(window.document()->data() == *expected.data));
    window.findChild<QMenu *>(QStringLiteral("recent"))->actions().at(0)->trigger();
    QVERIFY(window.document()->data() == *expected.data);
    QCOMPARE(recentMenu(window), QStringList{shown});

    QStringList copies;
    for (int k = 0; k < 9; ++k) {
        copies.prepend(m_folder.filePath(QString::number(k) + name));
        QFile::remove(copies.constFirst());
        QVERIFY(QFile::copy(path, copies.constFirst()) && window.openPath(copies.constFirst()));
    }
    QCOMPARE(recentMenu(window), QDir::toNativeSeparators(copies.mid(0, 8).join(u'\n'))
                                     .replace(u'&', QStringLiteral("&&"))
                                     .split(u'\n'));
}

// Every control a Tab reaches has a name a screen reader says, and Tab goes through the test's
// form from top to bottom.
void TestTeacher::keyboardAndScreenReaders()
{
    TeacherWindow window;
    window.resize(1200, 1000);
    window.show();
    QVERIFY(window.openPath(fixture("small")) && QTest::qWaitForWindowExposed(&window));
    QStringList unnamed;
    QList<QWidget *> chain;
    QWidget *first = named<QLineEdit>(window, QStringLiteral("Title"));
    for (QWidget *widget = first; widget && (chain.isEmpty() || widget != first);
         widget = widget->nextInFocusChain()) {
        // A spin box's own line edit passes its focus on to the named spin box.
        if (!widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus) ||
            !widget->isEnabled() || widget->focusProxy()) {
            continue;
        }
        chain << widget;
        const QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed << QString::fromLatin1(widget->metaObject()->className()) + u' ' +
                           widget->objectName();
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    // From the title down to the explanation, no control comes above the one before it.
    const auto top = [&window](QWidget *widget) { return widget->mapTo(&window, QPoint()).y(); };
    const auto end =
        std::find(chain.cbegin(), chain.cend(),
                  named<QPlainTextEdit>(window, QStringLiteral("Explanation, one line a row")));
    QVERIFY(end != chain.cend());
    for (auto widget = chain.cbegin() + 1; widget <= end; ++widget) {
        QVERIFY2(top(*widget) + 4 >= top(*(widget - 1)),
                 qPrintable((*widget)->accessibleName() + QStringLiteral(" after ") +
                            (*(widget - 1))->accessibleName()));
    }
}

void TestTeacher::undoFromEveryField_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("focus");
    const QStringList edits{QStringLiteral("title typed"),      QStringLiteral("text typed"),
                            QStringLiteral("question deleted"), QStringLiteral("setting ticked"),
                            QStringLiteral("choice moved"),     QStringLiteral("choice removed"),
                            QStringLiteral("kind chosen")};
    const QStringList fields{QStringLiteral("Title"), QStringLiteral("Question text"),
                             QStringLiteral("Choice 2"), QStringLiteral("Questions for each pupil"),
                             QStringLiteral("Explanation, one line a row")};
    for (const QString &edit : edits) {
        for (const QString &focus : fields) {
            QTest::newRow(qPrintable(edit + QStringLiteral(", Ctrl+Z in ") + focus))
                << edit << focus;
        }
    }
}

// Ctrl+Z undoes the test's last step, and Ctrl+Y redoes it, whichever field has the focus.
void TestTeacher::undoFromEveryField()
{
    QFETCH(QString, edit);
    QFETCH(QString, focus);
    TeacherWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openPath(fixture("small")));
    const Test before = window.document()->data();
    if (edit == QLatin1String("title typed")) {
        QTest::keyClicks(named<QLineEdit>(window, QStringLiteral("Title")), QStringLiteral("!"));
    } else if (edit == QLatin1String("text typed")) {
        QTest::keyClicks(named<QPlainTextEdit>(window, QStringLiteral("Question text")),
                         QStringLiteral("!"));
    } else if (edit == QLatin1String("kind chosen")) {
        named<QComboBox>(window, QStringLiteral("Kind of test"))->setCurrentIndex(1);
    } else {
        const QString button =
            edit == QLatin1String("question deleted") ? QStringLiteral("Delete the question")
            : edit == QLatin1String("setting ticked")
                ? QStringLiteral("Show the explanations in the review")
            : edit == QLatin1String("choice moved") ? QStringLiteral("Move choice 1 down")
                                                    : QStringLiteral("Remove choice 2");
        named<QAbstractButton>(window, button)->click();
    }
    const Test after = window.document()->data();
    QVERIFY(!(after == before));
    auto *field = named<QWidget>(window, focus);
    field->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field->focusProxy() ? field->focusProxy() : field);
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
    QVERIFY(window.document()->data() == before);
    QVERIFY(window.document()->undoStack()->canRedo()); // the redo history is kept
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(window.document()->data() == after);
}

// A paste while no program owns the clipboard pastes nothing, by keys or by the middle button.
void TestTeacher::pasteWithoutClipboardOwner()
{
    TeacherWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.openPath(fixture("small")));
    // On X11 the clipboard of this run has never had an owner; elsewhere it is emptied here.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        QGuiApplication::clipboard()->clear();
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
    }
    const Test before = window.document()->data();
    for (const char *name : {"Question text", "Explanation, one line a row"}) {
        auto *field = named<QPlainTextEdit>(window, QLatin1String(name));
        field->setFocus();
        QTest::keySequence(field, QKeySequence::Paste);
        QTest::mouseClick(field->viewport(), Qt::MiddleButton);
    }
    QVERIFY(window.isVisible());
    QVERIFY(window.document()->data() == before);
}

// The right choice stays marked when its button is clicked or pressed again; a question left
// without one (its right choice removed) is a problem, and the test is not saved.
void TestTeacher::rightChoiceStaysMarked()
{
    TeacherWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openPath(fixture("small")));
    const int key = window.document()->data().questions.at(0).right;
    auto *right =
        named<QRadioButton>(window, QStringLiteral("Choice %1 is the right one").arg(key + 1));
    right->click();
    right->setFocus();
    QTest::keyClick(right, Qt::Key_Space);
    QVERIFY(right->isChecked());
    QCOMPARE(window.document()->data().questions.at(0).right, key);

    named<QAbstractButton>(window, QStringLiteral("Remove choice %1").arg(key + 1))->click();
    QCOMPARE(window.document()->data().questions.at(0).right, -1);
    for (QRadioButton *button : window.findChildren<QRadioButton *>()) {
        QVERIFY(!button->isChecked());
    }
    const Problems &problems = window.document()->problems();
    QVERIFY(std::any_of(problems.begin(), problems.end(), [](const Problem &p) {
        return p.kind == ProblemKind::NoRightChoice && p.question == 1;
    }));
    const QString panel = window.findChild<QTextBrowser *>()->toPlainText();
    QVERIFY2(panel.contains(QStringLiteral("question 1, the right choice is not marked")),
             qPrintable(panel));
    QVERIFY(!window.saveTo(m_folder.filePath(QStringLiteral("no-key.kovra"))));
    QVERIFY(!QFile::exists(m_folder.filePath(QStringLiteral("no-key.kovra"))));
}

void TestTeacher::saveAsAsksBeforeReplacing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no suffix, over a file, no") << "old" << true << QMessageBox::No << false;
    QTest::newRow("no suffix, over a file, yes") << "old" << true << QMessageBox::Yes << true;
    QTest::newRow("suffix, over a file, no") << "old.kovra" << true << QMessageBox::No << false;
    QTest::newRow("no suffix, a new file") << "new" << false << QMessageBox::NoButton << true;
}

// Save As with a name typed without ".kovra" asks before it replaces a test of that name.
void TestTeacher::saveAsAsksBeforeReplacing()
{
    QFETCH(QString, typed);
    QFETCH(bool, exists);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, replaced);
    QTemporaryDir folder;
    const QString target = folder.filePath(QFileInfo(typed).completeBaseName() + ".kovra");
    if (exists) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    }
    TeacherWindow window;
    window.show();
    QVERIFY(window.openPath(fixture("small")));
    window.findChild<QAction *>(QStringLiteral("saveAs"))->trigger();
    QFileDialog *dialog = nullptr;
    QTRY_VERIFY((dialog = window.findChild<QFileDialog *>()) != nullptr && dialog->isVisible());
    // The suggestion: named after the bank the test came from, beside it.
    QCOMPARE(dialog->selectedFiles().value(0), fixture("small") + QStringLiteral(".kovra"));
    dialog->setDirectory(folder.path());
    // Qt's dialog asks about the file it would replace in a box of its own, and waits for it.
    if (answer != QMessageBox::NoButton) {
        QTimer::singleShot(0, &window, [answer] {
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            box->button(answer)->click();
        });
    }
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
    QMetaObject::invokeMethod(dialog, "accept");
    const auto contents = [&target] {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTRY_COMPARE(contents() != "old", replaced);
    QCOMPARE(window.document()->path() == target, replaced);
}

// Steady typing for seconds, then a crash: the window has kept all but the last seconds. A
// window that restores the work and crashes at once keeps it still; the restored work belongs
// to its test file, which Ctrl+S then saves.
void TestTeacher::crashKeepsWork()
{
    const QString test = m_folder.filePath(QStringLiteral("typed.kovra"));
    {
        TeacherWindow window;
        QVERIFY(window.openPath(fixture("small")) && window.saveTo(test));
    }
    // The temporary folders a window of this program may make.
    const QStringList folders{QCoreApplication::applicationName() + QStringLiteral("-*")};
    const QStringList temporary = QDir::temp().entryList(folders, QDir::AllEntries);
    const auto crashAfter = [](const QStringList &arguments, const QByteArray &until) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QByteArray said;
        while (!said.contains(until) && child.waitForReadyRead(20000)) {
            said += child.readAllStandardOutput();
        }
        child.kill(); // SIGKILL: nothing is cleaned up
        child.waitForFinished();
        return said + child.readAllStandardOutput();
    };
    const QByteArray typing = crashAfter({QStringLiteral("--type"), test}, "typed 80\n");
    QVERIFY2(typing.contains("typed 80\n"), typing.constData());
    const qsizetype typed = typing.count('x');
    QVERIFY(typed >= 80);
    QStringList kept = TeacherWindow::recoveryFiles();
    QCOMPARE(kept.size(), 1);
    const QString keptText = openTest(kept.front()).data->questions.at(0).text;
    // Kept at least every four seconds of typing, at ten keys a second.
    QVERIFY2(keptText.count(QLatin1Char('x')) >= typed - 50, qPrintable(keptText));

    QVERIFY(crashAfter({QStringLiteral("--restore")}, "restored\n").contains("restored\n"));
    kept = TeacherWindow::recoveryFiles();
    QCOMPARE(kept.size(), 1);
    TeacherWindow restored;
    QVERIFY(restored.restoreFrom(kept.front()));
    QCOMPARE(restored.document()->data().questions.at(0).text, keptText);
    QCOMPARE(restored.document()->path(), test);
    QVERIFY(TeacherWindow::recoveryFiles().isEmpty()); // this window's own now
    restored.findChild<QAction *>(QStringLiteral("save"))->trigger();
    QVERIFY(restored.document()->undoStack()->isClean());
    QCOMPARE(openTest(test).data->questions.at(0).text, keptText);
    QCOMPARE(QDir::temp().entryList(folders, QDir::AllEntries), temporary);
}

// The document's choice edits, without a window: the right choice follows its text, a step
// undoes to the test as it was, and the panel's rules see the result.
void TestTeacher::choiceEditsKeepTheRightOne_data()
{
    QTest::addColumn<int>("right");  // of the choices "a", "b", "c", "d"
    QTest::addColumn<int>("remove"); // the choice removed, or -1
    QTest::addColumn<int>("from");   // else the choice moved, and where to
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("rightAfter"); // the right choice's text after; empty: none
    QTest::newRow("the right choice moved down") << 0 << -1 << 0 << 1 << QStringLiteral("a");
    QTest::newRow("another moved onto the right one's place")
        << 1 << -1 << 0 << 1 << QStringLiteral("b");
    QTest::newRow("a choice removed before the right one")
        << 2 << 0 << -1 << -1 << QStringLiteral("c");
    QTest::newRow("a choice removed after the right one")
        << 0 << 2 << -1 << -1 << QStringLiteral("a");
    QTest::newRow("the right choice removed") << 1 << 1 << -1 << -1 << QString();
}

void TestTeacher::choiceEditsKeepTheRightOne()
{
    QFETCH(int, right);
    QFETCH(int, remove);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, rightAfter);
    TestDocument document;
    Test test = newTest();
    for (Question &question : test.questions) {
        question.text = QStringLiteral("Въпрос");
        question.choices = QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                       QStringLiteral("c"), QStringLiteral("d")};
        question.explanation = QStringList{QStringLiteral("Защото.")};
    }
    test.title = QStringLiteral("Тест");
    test.questions.at(1).right = right;
    document.reset(test, {});
    QVERIFY(document.problems().empty());
    QVERIFY(remove >= 0 ? document.removeChoice(1, remove) : document.moveChoice(1, from, to));
    const Question &question = document.data().questions.at(1);
    QCOMPARE(question.choices.value(question.right), rightAfter);
    const bool none = std::any_of(
        document.problems().begin(), document.problems().end(), [](const Problem &problem) {
            return problem.kind == ProblemKind::NoRightChoice && problem.question == 2;
        });
    QCOMPARE(none, rightAfter.isEmpty());
    document.undoStack()->undo();
    QCOMPARE(document.data(), test);
    document.undoStack()->redo();
    QCOMPARE(document.data().questions.at(1).choices.value(document.data().questions.at(1).right),
             rightAfter);
}

// On a screen of 1280 × 800 pixels drawn at twice the size, the window fits whole.
void TestTeacher::fitsTheScreen()
{
    TeacherWindow window;
    QVERIFY(window.openPath(fixture("small")));
    const QSize room = QSize(1280, 800) / 2;
    QVERIFY2(window.minimumSizeHint().width() <= room.width() &&
                 window.minimumSizeHint().height() <= room.height(),
             qPrintable(QStringLiteral("%1 × %2")
                            .arg(window.minimumSizeHint().width())
                            .arg(window.minimumSizeHint().height())));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
}

// The teacher's program as a crash test drives it: typing steadily into the question text of a
// test (--type FILE), or restoring the work kept (--restore), until it is killed.
int crashingTeacher(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    auto *window = new TeacherWindow;
    window->show();
    if (app.arguments().at(1) == QLatin1String("--restore")) {
        const bool restored = window->restoreFrom(TeacherWindow::recoveryFiles().value(0));
        std::printf(restored ? "restored\n" : "not restored\n");
        std::fflush(stdout);
        return QApplication::exec();
    }
    window->openPath(app.arguments().at(2));
    auto *text = named<QPlainTextEdit>(*window, QStringLiteral("Question text"));
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    auto *typist = new QTimer(window);
    int typed = 0;
    QObject::connect(typist, &QTimer::timeout, window, [text, &typed] {
        QTest::keyClick(text, Qt::Key_X);
        std::printf("x typed %d\n", ++typed);
        std::fflush(stdout);
    });
    typist->start(100);
    return QApplication::exec();
}

// A test made for marks in the window: saved, its teacher's test and the pupils' copy beside it;
// its keys made once, kept through a change of kind, undo and another save; copies with more
// time; the pupils' copy opened is not saved over, nor the teacher's test by a test for practice.
void TestTeacher::savedForMarks()
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Контролно.kovra"));
    TeacherWindow window;
    QVERIFY(window.openPath(fixture("small")));
    auto *kind = named<QComboBox>(window, QStringLiteral("Kind of test"));
    auto *minutes = named<QSpinBox>(window, QStringLiteral("Time limit in minutes"));
    auto *collect = named<QCheckBox>(window, QStringLiteral("Collect the pupils' results"));
    QVERIFY(!minutes->isEnabled());
    kind->setCurrentIndex(1);
    minutes->setValue(25);
    QVERIFY(minutes->isEnabled() && collect->isChecked() && !collect->isEnabled());
    QVERIFY(window.saveTo(path));
    QVERIFY(window.statusBar()->currentMessage().contains(QStringLiteral("за учениците.kovra")));
    QVERIFY(window.findChild<QAction *>(QStringLiteral("moreTime"))->isEnabled());
    const auto keysOf = [](const QString &file) {
        const OpenedTest opened = openTest(file);
        return opened.data && opened.data->isTeachersTest() ? opened.data->forMarks->secretKey
                                                            : QByteArray();
    };
    const QByteArray keys = keysOf(path);
    QVERIFY(!keys.isEmpty());
    const LoadResult copy = loadTestFile(pupilsCopyPath(path));
    QVERIFY(copy.test && copy.test->isPupilsCopy() && copy.test->forMarks->minutes == 25);
    QVERIFY(std::none_of(copy.test->questions.begin(), copy.test->questions.end(),
                         [](const Question &q) { return q.hasRight(); }));

    // For practice and back, and undone to before the kind was chosen and redone: the same keys.
    kind->setCurrentIndex(0);
    QVERIFY(!window.document()->data().forMarks && collect->isEnabled());
    kind->setCurrentIndex(1);
    while (window.document()->undoStack()->canUndo()) {
        window.document()->undoStack()->undo();
    }
    QVERIFY(!window.document()->data().forMarks);
    while (window.document()->undoStack()->canRedo()) {
        window.document()->undoStack()->redo();
    }
    minutes->setValue(25); // back for marks, with no limit until one is set
    QVERIFY(window.saveTo(path));
    QCOMPARE(keysOf(path), keys);
    QVERIFY(window.writeMoreTimeCopies({150}));
    QCOMPARE(loadTestFile(pupilsCopyPath(path, 150)).test->forMarks->minutes, 38);

    // Saved for practice, the teacher's test would lose its keys: refused.
    kind->setCurrentIndex(0);
    QVERIFY(!window.saveTo(path));
    QCOMPARE(keysOf(path), keys);
    const QString copyPath = pupilsCopyPath(path);
    QVERIFY(window.openPath(copyPath));
    const auto *panel = window.findChild<ProblemPanel *>();
    QVERIFY2(panel->failure().contains(QStringLiteral("pupils' copy")),
             qPrintable(panel->failure()));
    QVERIFY(window.document()->path().isEmpty() && !window.saveTo(copyPath));
    QVERIFY(loadTestFile(copyPath).test->isPupilsCopy());
    // A teacher's test whose file names no results folder keeps results all the same.
    Test other = *openTest(fixture("small")).data;
    other.forMarks.emplace();
    const QString otherPath = folder.filePath(QStringLiteral("other.kovra"));
    QVERIFY(makeKeysOnce(other) && writeTestForMarks(other, otherPath).empty());
    QVERIFY(window.openPath(otherPath) && collect->isChecked() && !collect->isEnabled());
}

int main(int argc, char *argv[])
{
    if (argc > 1 && (qstrcmp(argv[1], "--type") == 0 || qstrcmp(argv[1], "--restore") == 0)) {
        return crashingTeacher(argc, argv);
    }
    QApplication app(argc, argv);
    TestTeacher test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_teacher.moc"
