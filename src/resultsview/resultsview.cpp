// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsview.h"

#include "content/problems.h"
#include "testfile/testfile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kovra {

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("kovra", text);
}

// The shares a mark needs by the formula 2 + 4 x share: 3.00, 3.50, 4.50 and 5.50.
constexpr std::array<int, 4> kFormulaShares{25, 38, 63, 88};

const QColor kRightColor(200, 240, 200);
const QColor kWrongColor(250, 200, 200);

// A cell shown as text and sorted by its value.
QStandardItem *item(const QString &text, const QVariant &value = {})
{
    auto *cell = new QStandardItem(text);
    cell->setData(value.isValid() ? value : QVariant(text), Qt::UserRole);
    if (value.isValid()) {
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter); // a number
    }
    cell->setEditable(false);
    return cell;
}

QString markText(const Mark &mark)
{
    return QStringLiteral("%1 %2").arg(QLocale().toString(mark.value, 'f', 2),
                                       markWord(mark.grade));
}

QString duration(std::optional<qint64> seconds)
{
    return seconds ? QStringLiteral("%1:%2")
                         .arg(*seconds / 60)
                         .arg(*seconds % 60, 2, 10, QLatin1Char('0'))
                   : QString();
}

QTableView *table(QStandardItemModel *model, QWidget *parent)
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

} // namespace

ResultsView::ResultsView(QWidget *parent)
    : QWidget(parent), m_where(new QLabel(this)), m_summary(new QLabel(this)),
      m_ownShares(new QCheckBox(words("Own shares for the marks (% right):"), this)),
      m_tabs(new QTabWidget(this)), m_pupilsModel(new QStandardItemModel(this)),
      m_questionsModel(new QStandardItemModel(this)), m_apartModel(new QStandardItemModel(this))
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

    auto *scale = new QHBoxLayout;
    scale->addWidget(m_ownShares);
    for (std::size_t i = 0; i < m_shares.size(); ++i) {
        m_shares[i] = new QSpinBox(this);
        m_shares[i]->setRange(0, 100);
        m_shares[i]->setSuffix(QStringLiteral(" %"));
        m_shares[i]->setValue(kFormulaShares[i]);
        m_shares[i]->setEnabled(false);
        scale->addWidget(new QLabel(markWord(static_cast<int>(i) + 3), this));
        scale->addWidget(m_shares[i]);
        connect(m_shares[i], &QSpinBox::valueChanged, this, &ResultsView::scaleEdited);
    }
    scale->addStretch(1);
    connect(m_ownShares, &QCheckBox::toggled, this, &ResultsView::scaleEdited);

    auto *csv = new QPushButton(words("Export &CSV..."), this);
    auto *print = new QPushButton(words("&Print..."), this);
    auto *pdf = new QPushButton(words("P&DF..."), this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(csv);
    bottom->addWidget(print);
    bottom->addWidget(pdf);

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
    fill();
}

std::optional<QString> ResultsView::open(const QString &folder, const QString &testFile)
{
    m_folder = folder;
    m_testFile = testFile;
    m_test.reset();
    m_results = {};
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
    m_test = markingTest(*loaded.content, loaded.pool ? &*loaded.pool : nullptr, bytes);
    m_results = collectResults(folder, *m_test, m_scale);
    fill();
    Q_EMIT opened();
    return std::nullopt;
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
    const auto n = static_cast<int>(m_results.questions.size());
    m_pupilsModel->clear();
    QStringList header{words("Name"), words("Class"), words("Answered"), words("Right"),
                       words("%"),    words("Mark"),  words("Time")};
    for (int q = 1; q <= n; ++q) {
        header << words("Q%1").arg(q);
    }
    m_pupilsModel->setHorizontalHeaderLabels(header);
    for (const PupilResult &pupil : m_results.pupils) {
        const int run = m_results.runQuestions;
        const int percent = run > 0 ? pupil.right * 100 / run : 0;
        QList<QStandardItem *> row{
            item(pupil.name),
            item(pupil.group),
            item(QString::number(pupil.answered), pupil.answered),
            item(QString::number(pupil.right), pupil.right),
            item(QString::number(percent), percent),
            item(markText(pupil.mark), pupil.mark.value),
            item(duration(pupil.seconds), QVariant::fromValue(pupil.seconds.value_or(-1))),
        };
        row.front()->setToolTip(pupil.file);
        for (int q = 0; q < n; ++q) {
            const Verdict verdict = pupil.byQuestion[static_cast<std::size_t>(q)];
            const bool given = pupil.given[static_cast<std::size_t>(q)];
            QStandardItem *cell = item(verdict == Verdict::Right   ? QStringLiteral("✓")
                                       : verdict == Verdict::Wrong ? QStringLiteral("✗")
                                       : given                     ? QString()
                                                                   : QStringLiteral("–"),
                                       verdict == Verdict::Right   ? 2
                                       : verdict == Verdict::Wrong ? 1
                                       : given                     ? 0
                                                                   : -1);
            cell->setTextAlignment(Qt::AlignCenter);
            if (!given) {
                cell->setToolTip(words("Not in this pupil's run"));
            }
            if (verdict != Verdict::None) {
                cell->setBackground(verdict == Verdict::Right ? kRightColor : kWrongColor);
                cell->setToolTip(pupil.chosen.at(q));
            }
            row << cell;
        }
        m_pupilsModel->appendRow(row);
    }
    m_pupils->resizeColumnsToContents();

    m_questionsModel->clear();
    m_questionsModel->setHorizontalHeaderLabels(
        {words("Question"), words("Text"), words("Given"), words("Answered"), words("Right %"),
         words("Wrong answer chosen most"), words("Times"), words("Discrimination")});
    for (int q = 0; q < n; ++q) {
        const QuestionAnalysis &analysis = m_results.analysis.at(static_cast<std::size_t>(q));
        const std::optional<int> share = percentRight(analysis);
        m_questionsModel->appendRow(
            {item(QString::number(q + 1), q + 1), item(m_results.questions.at(q)),
             item(QString::number(analysis.given), analysis.given),
             item(QString::number(analysis.answered), analysis.answered),
             item(share ? QString::number(*share) : QString(), share.value_or(-1)),
             item(analysis.commonWrong),
             item(analysis.commonWrongCount > 0 ? QString::number(analysis.commonWrongCount)
                                                : QString(),
                  analysis.commonWrongCount),
             item(analysis.discrimination ? QLocale().toString(*analysis.discrimination, 'f', 2)
                                          : QString(),
                  analysis.discrimination.value_or(-2.0))});
    }
    m_questions->resizeColumnsToContents();

    m_apartModel->clear();
    m_apartModel->setHorizontalHeaderLabels({words("File"), words("Reason")});
    for (const ApartFile &file : m_results.apart) {
        m_apartModel->appendRow({item(file.file), item(file.reason)});
    }
    m_apart->resizeColumnsToContents();
    m_tabs->setTabText(2, words("Set apart (%1)").arg(m_results.apart.size()));
    m_summary->setText(m_test ? words("%1 pupils, %2 files set apart")
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
    const Problems failed = saveFile(path, resultsCsv(m_results));
    return failed.empty() ? std::nullopt : std::optional<QString>(describe(failed.front()));
}

QString ResultsView::html() const
{
    const auto n = static_cast<int>(m_results.questions.size());
    QString text = QStringLiteral("<html><body><h2>%1</h2>")
                       .arg(m_test ? m_test->identity.title.toHtmlEscaped() : QString());
    text += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>");
    for (const QString &cell : {words("Name"), words("Class"), words("Answered"), words("Right"),
                                words("%"), words("Mark"), words("Time")}) {
        text += QStringLiteral("<th>%1</th>").arg(cell.toHtmlEscaped());
    }
    for (int q = 1; q <= n; ++q) {
        text += QStringLiteral("<th>%1</th>").arg(q);
    }
    text += QStringLiteral("</tr>");
    for (const PupilResult &pupil : m_results.pupils) {
        text +=
            QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td>"
                           "<td>%6</td><td>%7</td>")
                .arg(pupil.name.toHtmlEscaped(), pupil.group.toHtmlEscaped())
                .arg(pupil.answered)
                .arg(pupil.right)
                .arg(m_results.runQuestions > 0 ? pupil.right * 100 / m_results.runQuestions : 0)
                .arg(markText(pupil.mark).toHtmlEscaped(), duration(pupil.seconds));
        for (std::size_t q = 0; q < pupil.byQuestion.size(); ++q) {
            const Verdict verdict = pupil.byQuestion[q];
            text += verdict == Verdict::Right   ? QStringLiteral("<td>+</td>")
                    : verdict == Verdict::Wrong ? QStringLiteral("<td>&minus;</td>")
                    : pupil.given[q]            ? QStringLiteral("<td></td>")
                                                : QStringLiteral("<td>&ndash;</td>");
        }
        text += QStringLiteral("</tr>");
    }
    text += QStringLiteral("</table><h3>%1</h3><table border=\"1\" cellspacing=\"0\" "
                           "cellpadding=\"2\"><tr>")
                .arg(words("Questions"));
    for (const QString &cell : {words("Question"), words("Text"), words("Right %"),
                                words("Wrong answer chosen most"), words("Discrimination")}) {
        text += QStringLiteral("<th>%1</th>").arg(cell.toHtmlEscaped());
    }
    text += QStringLiteral("</tr>");
    for (int q = 0; q < n; ++q) {
        const QuestionAnalysis &analysis = m_results.analysis.at(static_cast<std::size_t>(q));
        text +=
            QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                .arg(q + 1)
                .arg(m_results.questions.at(q).toHtmlEscaped())
                .arg(percentRight(analysis) ? QString::number(*percentRight(analysis)) : QString(),
                     analysis.commonWrong.toHtmlEscaped(),
                     analysis.discrimination ? QLocale().toString(*analysis.discrimination, 'f', 2)
                                             : QString());
    }
    text += QStringLiteral("</table>");
    if (!m_results.apart.empty()) {
        text += QStringLiteral("<h3>%1</h3><ul>").arg(words("Set apart").toHtmlEscaped());
        for (const ApartFile &file : m_results.apart) {
            text += QStringLiteral("<li>%1: %2</li>")
                        .arg(file.file.toHtmlEscaped(), file.reason.toHtmlEscaped());
        }
        text += QStringLiteral("</ul>");
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    print(printer);
    // QPrinter tells no failure: the file is looked at.
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0) {
        return words("the PDF file could not be written: %1").arg(path);
    }
    return std::nullopt;
}

void ResultsView::saveCsv()
{
    QString path = QFileDialog::getSaveFileName(this, words("Export CSV"), m_folder,
                                                words("CSV files (*.csv)"));
    if (!path.isEmpty()) {
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".csv");
        }
        if (const auto failed = exportCsv(path)) {
            tell(*failed);
        }
    }
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
    QString path =
        QFileDialog::getSaveFileName(this, words("PDF"), m_folder, words("PDF files (*.pdf)"));
    if (!path.isEmpty()) {
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".pdf");
        }
        if (const auto failed = exportPdf(path)) {
            tell(*failed);
        }
    }
}

void ResultsView::tell(const QString &text)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, words("Results"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace kovra
