// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsview.h"

#include "content/problems.h"
#include "print/print.h"
#include "print/review_sheets.h"
#include "results/recorder.h"
#include "results_model.h"
#include "testfile/testfile.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

namespace kovra {

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("kovra", text);
}

// The shares a mark needs by the formula 2 + 4 x share: 3.00, 3.50, 4.50 and 5.50.
constexpr std::array<int, 4> kFormulaShares{25, 38, 63, 88};

// Time for a test file saved in steps (written aside, then renamed) to be whole.
constexpr int kTestChangeSettleMs = 300;

QTableView *table(QAbstractItemModel *model, QWidget *parent)
{
    auto *proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(model);
    proxy->setSortRole(Qt::UserRole);
    proxy->setSortLocaleAware(true);
    auto *view = new QTableView(parent);
    view->setModel(proxy);
    view->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->setAlternatingRowColors(true);
    return view;
}

// A table on paper: the cells' words as the view shows them; right and wrong shaded, a test not
// handed in in bold.
QString htmlTable(const ResultsTable &table)
{
    QString text = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>");
    for (const TableColumn &column : table.columns) {
        text += QStringLiteral("<th>%1</th>").arg(column.head.toHtmlEscaped());
    }
    text += QStringLiteral("</tr>");
    for (const std::vector<TableCell> &row : table.rows) {
        text += QStringLiteral("<tr>");
        for (const TableCell &cell : row) {
            const QString align =
                cell.align == CellAlign::Right    ? QStringLiteral(" align=\"right\"")
                : cell.align == CellAlign::Centre ? QStringLiteral(" align=\"center\"")
                                                  : QString();
            const QString shade =
                cell.tone == CellTone::Right   ? QStringLiteral(" bgcolor=\"#c8f0c8\"")
                : cell.tone == CellTone::Wrong ? QStringLiteral(" bgcolor=\"#fac8c8\"")
                                               : QString();
            const QString shown = cell.text.toHtmlEscaped();
            text += QStringLiteral("<td%1%2>%3</td>")
                        .arg(align, shade,
                             cell.tone == CellTone::Alert ? QStringLiteral("<b>%1</b>").arg(shown)
                                                          : shown);
        }
        text += QStringLiteral("</tr>");
    }
    return text + QStringLiteral("</table>");
}

} // namespace

ResultsView::ResultsView(QWidget *parent)
    : QWidget(parent), m_where(new QLabel(this)), m_summary(new QLabel(this)),
      m_ownShares(new QCheckBox(words("Own shares for the marks (% right):"), this)),
      m_reviewSheets(new QPushButton(words("Re&view sheets"), this)), m_tabs(new QTabWidget(this)),
      m_pupilsModel(new ResultsTableModel(this)), m_questionsModel(new ResultsTableModel(this)),
      m_apartModel(new ResultsTableModel(this)), m_watcher(new QFileSystemWatcher(this)),
      m_changed(new QTimer(this))
{
    m_pupils = table(m_pupilsModel, this);
    m_questions = table(m_questionsModel, this);
    m_apart = table(m_apartModel, this);
    m_tabs->addTab(m_pupils, words("Pupils"));
    m_tabs->addTab(m_questions, words("Questions"));
    m_tabs->addTab(m_apart, words("Set apart"));

    auto *folder = new QPushButton(words("&Results folder..."), this);
    auto *test = new QPushButton(words("&Test..."), this);
    auto *again = new QPushButton(words("&Read again"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(folder);
    top->addWidget(test);
    top->addWidget(again);
    top->addWidget(m_where, 1);
    m_where->setWordWrap(true);
    // A long path is cut rather than widening the window past the screen.
    m_where->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    // The shares below their check box: the row fits a small screen.
    auto *scale = new QGridLayout;
    scale->addWidget(m_ownShares, 0, 0, 1, 9);
    for (std::size_t i = 0; i < m_shares.size(); ++i) {
        const auto column = static_cast<int>(2 * i);
        m_shares[i] = new QSpinBox(this);
        m_shares[i]->setRange(0, 100);
        m_shares[i]->setSuffix(QStringLiteral(" %"));
        m_shares[i]->setValue(kFormulaShares[i]);
        m_shares[i]->setEnabled(false);
        scale->addWidget(new QLabel(markWord(static_cast<int>(i) + 3), this), 1, column);
        scale->addWidget(m_shares[i], 1, column + 1);
        connect(m_shares[i], &QSpinBox::valueChanged, this, &ResultsView::scaleEdited);
    }
    scale->setColumnStretch(8, 1);
    connect(m_ownShares, &QCheckBox::toggled, this, &ResultsView::scaleEdited);

    auto *csv = new QPushButton(words("Export &CSV..."), this);
    auto *print = new QPushButton(words("&Print..."), this);
    auto *pdf = new QPushButton(words("P&DF..."), this);
    addReviewSheetsMenu();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(csv);
    bottom->addWidget(print);
    bottom->addWidget(pdf);
    bottom->addWidget(m_reviewSheets);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(scale);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);

    connect(folder, &QPushButton::clicked, this, &ResultsView::chooseFolder);
    connect(test, &QPushButton::clicked, this, &ResultsView::chooseTest);
    connect(again, &QPushButton::clicked, this, &ResultsView::reload);
    connect(csv, &QPushButton::clicked, this, &ResultsView::saveCsv);
    connect(print, &QPushButton::clicked, this, qOverload<>(&ResultsView::print));
    connect(pdf, &QPushButton::clicked, this, &ResultsView::savePdf);
    setWindowTitle(words("Results"));
    // The test file changed on disk (a key corrected and saved): the marks follow it.
    m_changed->setSingleShot(true);
    m_changed->setInterval(kTestChangeSettleMs);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_changed, qOverload<>(&QTimer::start));
    connect(m_changed, &QTimer::timeout, this, &ResultsView::reload);
    fill();
}

void ResultsView::addReviewSheetsMenu()
{
    // A sheet for each pupil, printed or as a PDF, from one button: the row fits a small screen.
    auto *sheets = new QMenu(m_reviewSheets);
    connect(sheets->addAction(words("&Print...")), &QAction::triggered, this,
            &ResultsView::printReviewSheets);
    connect(sheets->addAction(words("P&DF...")), &QAction::triggered, this,
            &ResultsView::saveReviewSheetsPdf);
    m_reviewSheets->setMenu(sheets);
}

void ResultsView::watchTest()
{
    if (!m_watcher->files().isEmpty()) {
        m_watcher->removePaths(m_watcher->files());
    }
    if (!m_testFile.isEmpty() && QFileInfo::exists(m_testFile)) {
        m_watcher->addPath(m_testFile);
    }
}

void ResultsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QScreen *shown = screen();
    if (!isWindow() || shown == nullptr || event->spontaneous()) {
        return;
    }
    // The frame is not known before the window system has drawn it: room is left for a title
    // bar and borders.
    const QRect room = shown->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize edges = frame.isEmpty() ? QSize(16, 48) : frame;
    const QSize fitted = size().boundedTo(room.size() - edges).expandedTo(minimumSizeHint());
    if (fitted != size()) {
        resize(fitted);
    }
    const QRect placed(pos(), fitted + edges);
    if (!room.contains(placed)) {
        move(std::clamp(placed.left(), room.left(),
                        std::max(room.left(), room.right() - placed.width())),
             std::clamp(placed.top(), room.top(),
                        std::max(room.top(), room.bottom() - placed.height())));
    }
}

std::optional<QString> ResultsView::open(const QString &folder, const QString &testFile)
{
    m_folder = folder;
    m_testFile = testFile;
    m_test.reset();
    m_results = {};
    ++m_generation; // a collection still running is of no use now
    m_collecting = false;
    const LoadResult loaded = loadTestFile(testFile);
    if (!loaded.content) {
        QStringList lines;
        for (const Problem &problem : loaded.problems) {
            lines << describe(problem);
        }
        fill();
        return testFile + QStringLiteral(": ") + lines.join(QLatin1Char('\n'));
    }
    QFile file(testFile);
    const QByteArray bytes =
        file.open(QIODevice::ReadOnly) ? file.read(kMaxTestFileBytes) : QByteArray();
    m_test = markingTest(*loaded.test, bytes);
    watchTest();
    collect();
    return std::nullopt;
}

void ResultsView::collect()
{
    const quint64 generation = ++m_generation;
    m_collecting = true;
    fill();
    QtConcurrent::run([folder = m_folder, test = *m_test, scale = m_scale] {
        return collectResults(folder, test, scale);
    }).then(this, [this, generation](ClassResults results) {
        if (generation != m_generation) {
            return; // read before the folder or the test was read again: the newer reading wins
        }
        m_collecting = false;
        m_results = std::move(results);
        remark(m_results, m_scale); // the marks as they are set now, changed while reading or not
        fill();
        Q_EMIT opened();
    });
}

void ResultsView::setScale(const MarkScale &scale)
{
    m_scale = scale;
    const QSignalBlocker blocker(m_ownShares);
    m_ownShares->setChecked(scale.shares.has_value());
    for (std::size_t i = 0; i < m_shares.size(); ++i) {
        const QSignalBlocker spinBlocker(m_shares[i]);
        m_shares[i]->setEnabled(scale.shares.has_value());
        if (scale.shares) {
            m_shares[i]->setValue(static_cast<int>(std::lround((*scale.shares)[i] * 100)));
        }
    }
    remark(m_results, m_scale);
    fill();
}

void ResultsView::scaleEdited()
{
    MarkScale scale;
    if (m_ownShares->isChecked()) {
        std::array<double, 4> shares{};
        for (std::size_t i = 0; i < shares.size(); ++i) {
            shares[i] = m_shares[i]->value() / 100.0;
        }
        scale.shares = shares;
    }
    setScale(scale);
}

void ResultsView::fill()
{
    m_where->setText(
        m_folder.isEmpty()
            ? words("Choose the folder of the result files and the test they are "
                    "marked against.")
            : words("Folder: %1\nTest: %2")
                  .arg(QDir::toNativeSeparators(m_folder), QDir::toNativeSeparators(m_testFile)));
    m_where->setToolTip(m_where->text());
    const ClassTables tables = classTables(m_results, QLocale().decimalPoint());
    m_pupilsModel->setTable(tables.pupils);
    m_questionsModel->setTable(tables.questions);
    m_apartModel->setTable(tables.apart);
    for (QTableView *view : {m_pupils, m_questions, m_apart}) {
        view->resizeColumnsToContents();
    }
    m_tabs->setTabText(2, words("Set apart (%1)").arg(m_results.apart.size()));
    m_reviewSheets->setEnabled(hasReviewSheets());
    m_summary->setText(m_collecting ? words("Reading the result files...")
                       : m_test     ? words("%1 pupils, %2 files set apart")
                                      .arg(m_results.pupils.size())
                                      .arg(m_results.apart.size())
                                : QString());
}

void ResultsView::chooseFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, words("Results folder"), m_folder);
    if (!folder.isEmpty()) {
        m_folder = folder;
        reload();
    }
}

void ResultsView::chooseTest()
{
    const QString file = QFileDialog::getOpenFileName(
        this, words("Test"), m_testFile.isEmpty() ? m_folder : m_testFile,
        words("Test files (*.%1)").arg(QLatin1String(kTestFileSuffix)));
    if (!file.isEmpty()) {
        m_testFile = file;
        reload();
    }
}

void ResultsView::reload()
{
    if (m_folder.isEmpty() || m_testFile.isEmpty()) {
        fill();
        return;
    }
    if (const auto failed = open(m_folder, m_testFile)) {
        tell(*failed);
    }
}

std::optional<QString> ResultsView::exportCsv(const QString &path) const
{
    const std::optional<WriteFailure> failed = saveWhole(path, resultsCsv(m_results));
    return failed ? std::optional<QString>(describe(*failed)) : std::nullopt;
}

QString ResultsView::html() const
{
    const ClassTables tables = classTables(m_results, QLocale().decimalPoint());
    QString text = QStringLiteral("<html><body><h2>%1</h2>")
                       .arg(m_test ? m_test->identity.title.toHtmlEscaped() : QString());
    text += htmlTable(tables.pupils);
    text += QStringLiteral("<h3>%1</h3>").arg(words("Questions").toHtmlEscaped());
    text += htmlTable(tables.questions);
    if (!tables.apart.rows.empty()) {
        text += QStringLiteral("<h3>%1</h3>").arg(words("Set apart").toHtmlEscaped());
        text += htmlTable(tables.apart);
    }
    return text + QStringLiteral("</body></html>");
}

void ResultsView::print(QPrinter &printer) const
{
    QTextDocument document;
    document.setHtml(html());
    document.print(&printer);
}

std::optional<QString> ResultsView::exportPdf(const QString &path) const
{
    // Made in memory and saved whole, as a test file is: a PDF there is replaced only by a whole
    // one, and a disk that fills part-way is told.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setCreator(QStringLiteral("KOVRA"));
        QTextDocument document;
        document.setHtml(html());
        document.print(&writer);
    }
    if (!saveFile(path, pdf.data()).empty()) {
        return words("the PDF file could not be written: %1").arg(path);
    }
    return std::nullopt;
}

bool ResultsView::hasReviewSheets() const
{
    return !m_collecting && m_test && !m_results.pupils.empty();
}

std::optional<QString> ResultsView::exportReviewSheetsPdf(const QString &path) const
{
    if (!hasReviewSheets()) {
        return words("There are no pupils' results to make review sheets of.");
    }
    QStringList failed;
    for (const Problem &problem : writeReviewSheetsPdf(path, *m_test, m_results)) {
        failed << describe(problem);
    }
    return failed.isEmpty() ? std::nullopt : std::optional(failed.join(u'\n'));
}

void ResultsView::saveCsv()
{
    chooseSavePath(words("Export CSV"), words("CSV files (*.csv)"), QStringLiteral("csv"),
                   [this](const QString &path) {
                       if (const auto failed = exportCsv(path)) {
                           tell(*failed);
                       }
                   });
}

void ResultsView::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        print(printer);
    }
}

void ResultsView::savePdf()
{
    chooseSavePath(words("PDF"), words("PDF files (*.pdf)"), QStringLiteral("pdf"),
                   [this](const QString &path) {
                       if (const auto failed = exportPdf(path)) {
                           tell(*failed);
                       }
                   });
}

void ResultsView::chooseSavePath(const QString &title, const QString &filter, const QString &suffix,
                                 const std::function<void(const QString &)> &then)
{
    // The dialog gives a name typed without the suffix its suffix before it asks whether to
    // replace a file of that name.
    auto *dialog = new QFileDialog(this, title, m_folder, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(suffix);
    connect(dialog, &QFileDialog::fileSelected, this, then);
    dialog->open();
}

void ResultsView::printReviewSheets()
{
    // The dialog does not wait for its answer: the results may be read again meanwhile, and are
    // looked at when it is accepted.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    setTestPage(*printer);
    auto *dialog = new QPrintDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, printer] {
        if (hasReviewSheets()) {
            kovra::printReviewSheets(*printer, *m_test, m_results);
        } else {
            tell(words("There are no pupils' results to make review sheets of."));
        }
    });
    dialog->open();
}

void ResultsView::saveReviewSheetsPdf()
{
    chooseSavePath(words("Review sheets"), words("PDF files (*.pdf)"), QStringLiteral("pdf"),
                   [this](const QString &path) {
                       if (const auto failed = exportReviewSheetsPdf(path)) {
                           tell(*failed);
                       }
                   });
}

void ResultsView::tell(const QString &text)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, words("Results"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace kovra
