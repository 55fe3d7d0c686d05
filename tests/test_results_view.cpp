// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's results view on a small class, and the pupil's name dialog. With KOVRA_SHOTS
// set to a folder, each is also saved there as a PNG.

#include "content/builtin.h"
#include "content/csv_writer.h"
#include "content/translation.h"
#include "print/print.h"
#include "print/review_sheets.h"
#include "results/table.h"
#include "results_fixture.h"
#include "resultsview/resultsview.h"
#include "ui/pupil_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QThreadPool>
#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace kovra;
using namespace kovra::testing;
using namespace Qt::StringLiterals;

namespace {

void shoot(QWidget &widget, const char *name)
{
    const QString folder = qEnvironmentVariable("KOVRA_SHOTS");
    if (!folder.isEmpty()) {
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QVERIFY(widget.grab().save(QDir(folder).filePath(QLatin1String(name) + ".png")));
    }
}

QStringList column(const QTableView *table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        cells << table->model()->index(row, column).data().toString();
    }
    return cells;
}

// The mark with its word, as the view shows them side by side.
QStringList marks(const QTableView *table)
{
    QStringList shown = column(table, 5);
    for (qsizetype row = 0; row < shown.size(); ++row) {
        shown[row] += u' ' + column(table, 6).at(row);
    }
    return shown;
}

// The text of each page of a PDF, as poppler's pdftotext reads it.
QStringList pdfPages(const QString &pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished() || text.exitCode() != 0) {
        return {QStringLiteral("pdftotext (poppler-utils) did not run")};
    }
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // a form feed ends each page
    return pages;
}

QString printedText(const QTextTableCell &cell)
{
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

} // namespace

class TestResultsView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installTranslation(QLocale::system()); }
    void showsClass();
    void reviewSheets();
    void reviewSheetOfKind_data();
    void reviewSheetOfKind();
    void sameEverywhere_data();
    void sameEverywhere();
    void typedName_data();
    void typedName();
    void asksPupil_data();
    void asksPupil();
    void pdfOnFullDisk_data();
    void pdfOnFullDisk();
};

void TestResultsView::showsClass()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("results"));
    QVERIFY(writeClass(dir.path(), folder));
    const QString test = dir.filePath(QStringLiteral("now.kovra"));
    (void)writtenTest(test, QString(), {0, 0, 0, 0});
    ResultsView view;
    QSignalSpy opened(&view, &ResultsView::opened);
    // A folder read again while the first reading runs: the newest reading alone is shown.
    QCOMPARE(view.open(dir.path(), test), std::nullopt);
    QCOMPARE(view.open(folder, test), std::nullopt);
    QVERIFY(view.collecting());
    QVERIFY(!view.hasReviewSheets() && view.exportReviewSheetsPdf(dir.filePath("s.pdf")));
    QTRY_COMPARE(opened.count(), 1);
    QVERIFY(view.hasReviewSheets());
    QCOMPARE(view.results().pupils.size(), std::size_t{4});
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    QCOMPARE(opened.count(), 1);
    QCOMPARE(view.results().pupils.size(), std::size_t{4});
    // Asked larger than the screen, as the teacher's window asks it: opened within its room.
    view.resize(2000, 1500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QRect room = view.screen()->availableGeometry();
    QVERIFY2(room.contains(view.frameGeometry()), qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                                                 .arg(view.frameGeometry().width())
                                                                 .arg(view.frameGeometry().height())
                                                                 .arg(room.width())
                                                                 .arg(room.height())));
    shoot(view, "results-view");
    view.tabs()->setCurrentIndex(1);
    shoot(view, "results-questions");
    view.tabs()->setCurrentIndex(2);
    shoot(view, "results-apart");
    QTableView *pupils = view.pupilsTable();
    QCOMPARE(pupils->model()->columnCount(), 9 + 4 + 1);
    // Every column head says what it shows; a question's names it by the start of its text.
    for (const QTableView *table : {pupils, view.questionsTable()}) {
        for (int c = 0; c < table->model()->columnCount(); ++c) {
            QVERIFY(!table->model()->headerData(c, Qt::Horizontal, Qt::ToolTipRole).isNull());
        }
    }
    QCOMPARE(pupils->model()->headerData(9, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("Question 1: Въпрос 1?"));
    pupils->sortByColumn(5, Qt::AscendingOrder);
    QCOMPARE(column(pupils, 0),
             QStringList({"Галя; \"Г\"", QStringLiteral("Вера"), "Боян", "Ана"}));
    QCOMPARE(marks(pupils),
             QStringList({"2.00 Poor", "3.00 Satisfactory", "5.00 Very good", "6.00 Excellent"}));
    QCOMPARE(column(pupils, 10), QStringList({"", "✗", "✗", "✓"}));
    QCOMPARE(column(pupils, 8),
             QStringList({"handed in", "not handed in", "handed in", "handed in"}));
    QCOMPARE(column(view.questionsTable(), 4), QStringList({"75", "25", "50", "50"}));
    QCOMPARE(view.apartTable()->model()->rowCount(), 3);

    // The teacher's own shares: 3 needs 30 % now, which Вера's 25 % does not reach.
    view.findChild<QCheckBox *>()->setChecked(true);
    view.findChildren<QSpinBox *>().constFirst()->setValue(30);
    QCOMPARE(marks(pupils),
             QStringList({"2.00 Poor", "2.00 Poor", "5.00 Very good", "6.00 Excellent"}));

    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    QCOMPARE(view.exportCsv(csv), std::nullopt);
    QFile written(csv);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), resultsCsv(view.results()));
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(view.exportPdf(pdf), std::nullopt);
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly) && printed.read(5) == "%PDF-");
    QVERIFY(view.exportCsv(dir.filePath(QStringLiteral("no/such/folder/out.csv"))).has_value());
    QVERIFY(view.html().contains(QStringLiteral("<b>not handed in</b>")));

    // The key of question 2 corrected and the test saved: the marks follow by themselves.
    view.findChild<QCheckBox *>()->setChecked(false);
    (void)writtenTest(test, QString(), {0, 1, 0, 0});
    QTRY_COMPARE(marks(pupils),
                 QStringList({"2.00 Poor", "4.00 Good", "5.00 Very good", "6.00 Excellent"}));
}

// The sheets of a class as a PDF, in Bulgarian: a page a pupil, named on it, each answer told
// right or wrong in words, the right answer and the explanation where the pupil missed it.
void TestResultsView::reviewSheets()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("results"));
    // A name that is HTML in a result file is shown as it is typed.
    QVERIFY(writeClass(dir.path(), folder, QStringLiteral("<i>Галя</i> &amp;")));
    const QString test = dir.filePath(QStringLiteral("now.kovra"));
    (void)writtenTest(test, QString(), {0, 0, 0, 0});
    QVERIFY(installTranslation(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)));
    const auto restore = qScopeGuard([] { installTranslation(QLocale::system()); });
    ResultsView view;
    QSignalSpy opened(&view, &ResultsView::opened);
    QCOMPARE(view.open(folder, test), std::nullopt);
    QTRY_COMPARE(opened.count(), 1);
    const QString pdf = dir.filePath(QStringLiteral("sheets.pdf"));
    QCOMPARE(view.exportReviewSheetsPdf(pdf), std::nullopt);
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 4);
    const QStringList names{"Ана", "Боян", "Вера", "<i>Галя</i> &amp;"};
    for (qsizetype p = 0; p < names.size(); ++p) {
        QVERIFY2(pages[p].contains("Ученик: " + names[p]), qPrintable(pages[p]));
    }
    QVERIFY(!pages[0].contains("Грешно") && pages[0].count("Вярно") == 4);
    QVERIFY(pages[0].contains(QRegularExpression("Оценка: 6[.,]00 Отличен")));
    QVERIFY2(pages[1].contains(QRegularExpression("2\\. Въпрос 2\\?\\s+Отговор на ученика: Q2 b — "
                                                  "Грешно\\s+Верен отговор: Q2 a\\s+Обяснение: "
                                                  "Обяснение")),
             qPrintable(pages[1]));
    QVERIFY(pages[2].contains("Отговорени: 3 от 4; верни: 1") &&
            pages[2].contains("не е предаден"));
    QVERIFY(pages[2].contains(QRegularExpression("Няма отговор\\s+Верен отговор: Q4 a")));

    // A sheet of more than a page names its pupil on each.
    const MarkingTest longer = writtenTest(dir.filePath("longer.kovra"), QString(), {}, 29);
    const QString one = dir.filePath(QStringLiteral("one"));
    QVERIFY(QDir().mkpath(one) &&
            put(one + "/Ана.kovres",
                writeResult(run(longer.identity, "Ана", QList<int>(29, 1)), longer.identity.key)));
    QVERIFY(writeReviewSheetsPdf(pdf, longer, collectResults(one, longer)).empty());
    const QStringList sheet = pdfPages(pdf);
    QVERIFY2(sheet.size() > 1, qPrintable(sheet.join(u'\f')));
    for (qsizetype p = 0; p < sheet.size(); ++p) {
        QVERIFY(sheet[p].contains(
            QStringLiteral("Ана, 7а: страница %1 от %2").arg(p + 1).arg(sheet.size())));
    }
}

void TestResultsView::reviewSheetOfKind_data()
{
    QTest::addColumn<QByteArray>("kind"); // the fields of question 1, of another kind
    QTest::addColumn<QStringList>("picked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("points"); // the analysis' points % of the question
    QTest::addColumn<QString>("sheet");  // a pattern of its text
    QTest::newRow("several, partly right")
        << R"({"type": "several", "choices": ["2", "4", "5"], "weights": [50, -100, 50]})"_ba
        << QStringList{"2"} << QString() << "50"
        << "(?s)точки: 2[,.]5.*ученика: 2 — Частично \\(0[,.]5 т\\.\\)\\s+Верен отговор: 2; 5";
    QTest::newRow("typed, right in small letters")
        << R"({"type": "typed", "answers": [{"text": "Мусала"}]})"_ba << QStringList() << "мусала"
        << "100"
        << "(?s)точки: 3.*ученика: мусала — Вярно\\s+Обяснение";
    QTest::newRow("number, wrong")
        << R"({"type": "number", "answers": [{"value": "2,5", "tolerance": 0.01}],
               "units": [{"name": "м"}]})"_ba
        << QStringList() << "3"
        << "0"
        << "ученика: 3 — Грешно\\s+Верен отговор: 2[,.]5 ± 0[,.]01 м";
    QTest::newRow("matching, half right")
        << R"({"type": "matching", "items": ["Франция", "Италия"], "choices": ["Атина", "Париж",
               "Рим"], "matches": ["Париж", "Рим"]})"_ba
        << QStringList{"Париж", "Атина"} << QString() << "50"
        << "ученика: Франция → Париж; Италия → Атина — Частично \\(0[,.]5 т\\.\\)"
           "\\s+Верен отговор: Франция → Париж; Италия → Рим";
}

// A pupil's answer to a question of another kind, collected from the result file as the view
// does, on the sheet.
void TestResultsView::reviewSheetOfKind()
{
    QFETCH(QByteArray, kind);
    QFETCH(QStringList, picked);
    QFETCH(QString, typed);
    QFETCH(QString, points);
    QFETCH(QString, sheet);
    QJsonObject test = QJsonDocument::fromJson(resultsTestJson(3, QString())).object();
    QJsonArray questions = test.value("questions").toArray();
    QJsonObject question = QJsonDocument::fromJson(kind).object();
    question.insert("text", "Въпрос 1?");
    question.insert("explanation", QJsonArray{"Обяснение"});
    questions.replace(0, question);
    test.insert("questions", questions);
    QTemporaryDir dir;
    const QString file = writeTestFile(dir.filePath("kinds.kovra"), QJsonDocument(test).toJson());
    const LoadResult loaded = loadTestFile(file);
    QFile bytes(file);
    QVERIFY(loaded.test && bytes.open(QIODevice::ReadOnly));
    const MarkingTest marking = markingTest(*loaded.test, bytes.readAll());
    ResultRecord record = run(marking.identity, "Ана", {-1, 0, 0});
    record.answers[0].kind = marking.questions[0].kind;
    record.answers[0].choices = marking.questions[0].choices;
    record.answers[0].response = {.picked = picked, .typed = typed};
    record.answers[0].time = record.started.addSecs(60);
    QVERIFY(put(dir.filePath("Ана.kovres"), writeResult(record, marking.identity.key)));
    QVERIFY(installTranslation(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)));
    const auto restore = qScopeGuard([] { installTranslation(QLocale::system()); });
    QTextDocument document;
    const ClassResults results = collectResults(dir.path(), marking);
    QCOMPARE(classTables(results, ",").questions.rows.at(0).at(5).text, points);
    layOutReviewSheets(document, marking, results);
    QVERIFY2(document.toPlainText().contains(QRegularExpression(sheet)),
             qPrintable(document.toPlainText()));
}

void TestResultsView::sameEverywhere_data()
{
    QTest::addColumn<QList<QList<int>>>("chosen"); // by pupil, by question; none: writeClass's
    QTest::addColumn<QStringList>("discrimination");
    QTest::newRow("the class, files set apart")
        << QList<QList<int>>() << QStringList{"1,00", "1,00", "1,00", "1,00"};
    // 27 % of 6 is 1.62: groups of 2 pupils, to the nearest (rounded down, 1, questions 2 and 4
    // would give 1,00; rounded up, 3, 0,33 and 0,33).
    QTest::newRow("six pupils: upper and lower groups of 2")
        << QList<QList<int>>{{0, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 1},
                             {1, 0, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}}
        << QStringList{"1,00", "0,50", "1,00", "0,50"};
}

// The view's words, row by row and heads first, are the printed page's and the CSV's.
void TestResultsView::sameEverywhere()
{
    QFETCH(QList<QList<int>>, chosen);
    QFETCH(QStringList, discrimination);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("results"));
    const QString test = dir.filePath(QStringLiteral("now.kovra"));
    const MarkingTest marking = writtenTest(test, QString(), {0, 0, 0, 0});
    QVERIFY(chosen.isEmpty() ? writeClass(dir.path(), folder) : QDir().mkpath(folder));
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        const ResultRecord record = run(marking.identity, QStringLiteral("P%1").arg(i), chosen[i]);
        QVERIFY(put(QDir(folder).filePath(QStringLiteral("%1.kovres").arg(i)),
                    writeResult(record, marking.identity.key)));
    }
    // Decimal commas in the view too, as in the CSV.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
    ResultsView view;
    QSignalSpy opened(&view, &ResultsView::opened);
    QCOMPARE(view.open(folder, test), std::nullopt);
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(column(view.questionsTable(), 8), discrimination);
    QVERIFY(view.exportCsv(dir.filePath(QStringLiteral("out.csv"))) == std::nullopt);
    QFile written(dir.filePath(QStringLiteral("out.csv")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QTextDocument printed;
    printed.setHtml(view.html());
    QList<QTextTable *> pages;
    for (QTextFrame *frame : printed.rootFrame()->childFrames()) {
        pages << qobject_cast<QTextTable *>(frame);
    }
    const CsvWriter csv(u';');
    QStringList lines;
    for (const QTableView *table : {view.pupilsTable(), view.questionsTable(), view.apartTable()}) {
        const QAbstractItemModel *model =
            qobject_cast<const QSortFilterProxyModel *>(table->model())->sourceModel();
        if (model->rowCount() == 0) {
            continue; // no files set apart: none printed or written
        }
        const QTextTable *page = pages.value(lines.count(QString()));
        QVERIFY(page && page->rows() == model->rowCount() + 1);
        for (int row = -1; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c) {
                const QString shown = row < 0 ? model->headerData(c, Qt::Horizontal).toString()
                                              : model->index(row, c).data().toString();
                QCOMPARE(printedText(page->cellAt(row + 1, c)), shown);
                // A spreadsheet sums the answers' verdicts: 1 right, 0 wrong.
                const bool verdict = row >= 0 && table == view.pupilsTable() &&
                                     (shown == u"✓" || shown == u"✗" || shown == u"–");
                cells << csv.cell(!verdict        ? shown
                                  : shown == u"✓" ? QStringLiteral("1")
                                  : shown == u"✗" ? QStringLiteral("0")
                                                  : QString());
            }
            lines << cells.join(u';');
        }
        lines << QString();
    }
    QCOMPARE(QString::fromUtf8(written.readAll().mid(3)).split(QStringLiteral("\r\n")), lines);
}

void TestResultsView::typedName_data()
{
    QTest::addColumn<QString>("button"); // a menu's: its PDF
    QTest::addColumn<QString>("written");
    QTest::newRow("the table as CSV") << "Export &CSV..."
                                      << "typed.csv";
    QTest::newRow("the table as PDF") << "P&DF..."
                                      << "typed.pdf";
    QTest::newRow("the review sheets") << "Re&view sheets"
                                       << "typed.pdf";
}

// A name typed without its suffix gets it in the dialog, before the dialog asks whether to
// replace a file of that name.
void TestResultsView::typedName()
{
    QFETCH(QString, button);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("results"));
    const QString test = dir.filePath(QStringLiteral("now.kovra"));
    (void)writtenTest(test, QString(), {0, 0, 0, 0});
    ResultsView view;
    QSignalSpy opened(&view, &ResultsView::opened);
    QVERIFY(writeClass(dir.path(), folder) && !view.open(folder, test));
    QTRY_COMPARE(opened.count(), 1);
    for (QPushButton *shown : view.findChildren<QPushButton *>()) {
        if (shown->text() == button) {
            QVERIFY(shown->isEnabled());
            shown->menu() ? shown->menu()->actions().at(1)->trigger() : shown->click();
        }
    }
    auto *dialog = view.findChild<QFileDialog *>();
    QVERIFY(dialog != nullptr);
    dialog->selectFile(dir.filePath(QStringLiteral("typed")));
    static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, which adds the suffix
    QVERIFY(QFileInfo::exists(dir.filePath(written)));
}

void TestResultsView::asksPupil_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("taken"); // the name as taken
    QTest::newRow("blanks trimmed") << "  Иван   Петров "
                                    << " 7а " << true << "Иван Петров";
    QTest::newRow("a blank name") << "   "
                                  << "7а" << false << "";
    QTest::newRow("no class") << "Иван"
                              << "" << false << "Иван";
}

void TestResultsView::asksPupil()
{
    QFETCH(QString, name);
    QFETCH(QString, group);
    QFETCH(bool, ok);
    QFETCH(QString, taken);
    PupilDialog dialog(QStringLiteral("Тест с резултати"));
    dialog.show();
    dialog.nameEdit()->setText(name); // QTest types no Cyrillic
    dialog.classEdit()->setText(group);
    QCOMPARE(dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled(), ok);
    QCOMPARE(dialog.pupil().name, taken);
    if (ok) {
        shoot(dialog, "pupil-dialog");
    }
}

using PdfWriter = std::function<bool(const QString &path)>; // true when written
Q_DECLARE_METATYPE(PdfWriter)

void TestResultsView::pdfOnFullDisk_data()
{
    QTest::addColumn<PdfWriter>("write");
    QTest::newRow("the test's paper") << PdfWriter([](const QString &path) {
        return writeTestPdf(path, *loadBuiltInContent().test, PrintPart::Key).empty();
    });
    QTest::newRow("the results table") << PdfWriter([](const QString &path) {
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("results"));
        const QString test = dir.filePath(QStringLiteral("now.kovra"));
        (void)writtenTest(test, QString(), {0, 0, 0, 0});
        ResultsView view;
        return writeClass(dir.path(), folder) && !view.open(folder, test) && !view.exportPdf(path);
    });
    QTest::newRow("the review sheets") << PdfWriter([](const QString &path) {
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("results"));
        const MarkingTest test = writtenTest(dir.filePath("now.kovra"), QString(), {0, 0, 0, 0});
        return writeClass(dir.path(), folder) &&
               writeReviewSheetsPdf(path, test, collectResults(folder, test)).empty();
    });
}

// A PDF written over an older one on a disk that fills part-way: told, and the older one whole.
void TestResultsView::pdfOnFullDisk()
{
    QFETCH(PdfWriter, write);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    const auto bytes = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QVERIFY(write(path));
    const QByteArray older = bytes();
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{static_cast<rlim_t>(older.size() / 2), RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = write(path);
    limit.rlim_cur = RLIM_INFINITY;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    QVERIFY(!written);
    QCOMPARE(bytes(), older);
}

QTEST_MAIN(TestResultsView)
#include "test_results_view.moc"
