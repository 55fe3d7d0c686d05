// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsview.h"

#include "content/problems.h"
#include "results/recorder.h"
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
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QTimer>
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

// How long a question's text its column head names.
constexpr qsizetype kQuestionTipChars = 80;
// Time for a test file saved in steps (written aside, then renamed) to be whole.
constexpr int kTestChangeSettleMs = 300;

QString startOf(const QString &text)
{
    const QString line = text.simplified();
    return line.size() <= kQuestionTipChars ? line
                                            : line.left(kQuestionTipChars) + QStringLiteral("…");
}

// Column heads and what each says, shown as its tooltip.
void setHeads(QStandardItemModel *model, const QList<std::pair<QString, QString>> &heads)
{
    QStringList labels;
    for (const auto &head : heads) {
        labels << head.first;
    }
    model->setHorizontalHeaderLabels(labels);
    for (int column = 0; column < heads.size(); ++column) {
        model->setHeaderData(column, Qt::Horizontal, heads.at(column).second, Qt::ToolTipRole);
    }
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
      m_questionsModel(new QStandardItemModel(this)), m_apartModel(new QStandardItemModel(this)),
      m_watcher(new QFileSystemWatcher(this)), m_changed(new QTimer(this))
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
    // The test file changed on disk (a key corrected and saved): the marks follow it.
    m_changed->setSingleShot(true);
    m_changed->setInterval(kTestChangeSettleMs);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_changed, qOverload<>(&QTimer::start));
    connect(m_changed, &QTimer::timeout, this, &ResultsView::reload);
    fill();
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
    watchTest();
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
    m_where->setToolTip(m_where->text());
    fillPupils();
    fillQuestions();
    m_apartModel->clear();
    setHeads(m_apartModel, {{words("File"), words("The result file in the folder")},
                            {words("Reason"), words("Why the file is not among the results")}});
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

void ResultsView::fillPupils()
{
    const auto n = static_cast<int>(m_results.questions.size());
    m_pupilsModel->clear();
    QList<std::pair<QString, QString>> heads{
        {words("Name"), words("The pupil's name as typed at the start")},
        {words("Class"), words("The pupil's class; \"7b\" typed in Latin letters is \"7б\"")},
        {words("Answered"), words("Questions the pupil answered")},
        {words("Right"), words("Answers right by the test's key as it is now")},
        {words("%"), words("Right answers in per cent of the run's questions, rounded")},
        {words("Mark"), words("The mark of the right answers")},
        {words("Time"), words("Minutes and seconds from the start to the evaluation or the last "
                              "answer")},
        {words("Handed in"), words("Whether the pupil asked for the evaluation; a test not handed "
                                   "in ended before it (the player closed or stopped)")}};
    for (int q = 1; q <= n; ++q) {
        heads.push_back(
            {words("Q%1").arg(q),
             words("Question %1: %2").arg(q).arg(startOf(m_results.questions.at(q - 1)))});
    }
    setHeads(m_pupilsModel, heads);
    for (const PupilResult &pupil : m_results.pupils) {
        const int percent = percentOf(pupil.right, m_results.runQuestions);
        QList<QStandardItem *> row{
            item(pupil.name),
            item(pupil.group),
            item(QString::number(pupil.answered), pupil.answered),
            item(QString::number(pupil.right), pupil.right),
            item(QString::number(percent), percent),
            item(markText(pupil.mark), pupil.mark.value),
            item(duration(pupil.seconds), QVariant::fromValue(pupil.seconds.value_or(-1))),
            item(handedInWord(pupil.evaluated), pupil.evaluated ? 1 : 0),
        };
        row.front()->setToolTip(pupil.file);
        if (!pupil.evaluated) {
            row.back()->setBackground(kWrongColor);
        }
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
}

void ResultsView::fillQuestions()
{
    const auto n = static_cast<int>(m_results.questions.size());
    m_questionsModel->clear();
    setHeads(m_questionsModel,
             {{words("Question"), words("The question's number in the test")},
              {words("Text"), words("The question's text")},
              {words("Pupils given it"), words("Pupils whose run held the question")},
              {words("Answered"), words("Pupils who answered it")},
              {words("Right %"), words("Right answers in per cent of the pupils given it")},
              {words("Wrong answer chosen most"), words("The wrong choice taken most often")},
              {words("Times"), words("How many pupils took that wrong choice")},
              {words("Discrimination"),
               words("How well the question tells strong pupils from weak: the share right "
                     "among the best 27 % less the share right among the weakest 27 %, from "
                     "-1 to 1; 0.3 and more is good, below 0 the question misleads the best")}});
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
    const auto n = static_cast<int>(m_results.questions.size());
    QString text = QStringLiteral("<html><body><h2>%1</h2>")
                       .arg(m_test ? m_test->identity.title.toHtmlEscaped() : QString());
    text += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>");
    for (const QString &cell : {words("Name"), words("Class"), words("Answered"), words("Right"),
                                words("%"), words("Mark"), words("Time"), words("Handed in")}) {
        text += QStringLiteral("<th>%1</th>").arg(cell.toHtmlEscaped());
    }
    for (int q = 1; q <= n; ++q) {
        text += QStringLiteral("<th>%1</th>").arg(q);
    }
    text += QStringLiteral("</tr>");
    for (const PupilResult &pupil : m_results.pupils) {
        text += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td>"
                               "<td>%6</td><td>%7</td><td>%8</td>")
                    .arg(pupil.name.toHtmlEscaped(), pupil.group.toHtmlEscaped())
                    .arg(pupil.answered)
                    .arg(pupil.right)
                    .arg(percentOf(pupil.right, m_results.runQuestions))
                    .arg(markText(pupil.mark).toHtmlEscaped(), duration(pupil.seconds),
                         pupil.evaluated ? handedInWord(true)
                                         : QStringLiteral("<b>%1</b>").arg(handedInWord(false)));
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
