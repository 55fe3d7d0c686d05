// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher_window.h"

#include "content/figures.h"
#include "results/stake.h"
#include "resultsview/resultsview.h"
#include "teacher/document.h"
#include "teacher/fields.h"
#include "teacher/window_parts.h"
#include "testfile/testfile.h"

#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <map>
#include <memory>

namespace kovra {

using namespace teacher;

TeacherWindow::TeacherWindow(QWidget *parent)
    : QMainWindow(parent), m_document(new TestDocument(this)),
      m_playerProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/kovra")),
      m_recoveryTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("TeacherWindow"));
    setAcceptDrops(true);

    auto *splitter = new QSplitter;
    splitter->addWidget(buildQuestionList());
    splitter->addWidget(buildEditor());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({1, 2}); // the editor two thirds, on a small screen too

    // The problems below: a few lines, the editor the rest.
    auto *problems = new QWidget;
    auto *problemLayout = new QVBoxLayout(problems);
    problemLayout->setContentsMargins(4, 0, 4, 0);
    auto *problemTitle = new QLabel(tr("Problems"), problems);
    m_problemView = new QTextBrowser(problems);
    m_problemView->setOpenLinks(false);
    m_problemView->setAccessibleName(tr("Problems"));
    problemTitle->setBuddy(m_problemView);
    problemLayout->addWidget(problemTitle);
    problemLayout->addWidget(m_problemView);
    auto *page = new QSplitter(Qt::Vertical, this);
    page->addWidget(splitter);
    page->addWidget(problems);
    page->setStretchFactor(0, 1);
    page->setSizes({700, 150});
    setCentralWidget(page);
    connect(m_problemView, &QTextBrowser::anchorClicked, this, &TeacherWindow::showProblem);

    m_fileLabel = new QLabel(this);
    statusBar()->addPermanentWidget(m_fileLabel);

    buildMenus();

    m_recoveryTimer->setSingleShot(true);
    connect(m_recoveryTimer, &QTimer::timeout, this, &TeacherWindow::writeRecovery);
    connect(m_document, &TestDocument::changed, this, &TeacherWindow::refresh);
    connect(m_document->undoStack(), &QUndoStack::indexChanged, this, &TeacherWindow::keepSoon);
    connect(m_document->undoStack(), &QUndoStack::cleanChanged, this, &TeacherWindow::refresh);
    // Every field leaves Undo and Redo to the test's one history.
    for (QWidget *field : findChildren<QLineEdit *>()) {
        field->installEventFilter(this);
    }
    for (QWidget *field : findChildren<QAbstractSpinBox *>()) {
        field->installEventFilter(this);
    }
    for (QWidget *field : findChildren<QPlainTextEdit *>()) {
        field->installEventFilter(this);
    }
    // Try-out files of windows that ended without taking them away.
    RecoveryStore::removeAbandoned(QStringLiteral("try"));
    resize(kOpeningSize);
    refresh();
}

// Fitted to the screen it opens on, its frame included, once it is known.
void TeacherWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_fitted || isMaximized() || isFullScreen()) {
        return;
    }
    m_fitted = true;
    // A tenth of the screen is left to the frame, which the window manager may add only later.
    const QRect room = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize fitted = size().boundedTo((room.size() - frame) * 0.9);
    if (fitted != size()) {
        resize(fitted);
        move(room.center() - QPoint(fitted.width(), fitted.height()) / 2);
    }
}

TeacherWindow::~TeacherWindow()
{
    // Closed windows have said whether to keep their work; a window torn down otherwise (the
    // end of a test) keeps nothing either.
    dropRecovery();
    // The players started read their files when they started.
    m_tries.drop();
    m_document->undoStack()->disconnect(this);
    m_document->disconnect(this);
}

void TeacherWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &TeacherWindow::newTest)
        ->setObjectName(QStringLiteral("new"));
    file->addAction(tr("&Open…"), QKeySequence::Open, this, &TeacherWindow::open);
    file->addAction(tr("Open a &folder…"), this, &TeacherWindow::openFolder);
    m_recentMenu = file->addMenu(tr("Open &recent"));
    m_recentMenu->setObjectName(QStringLiteral("recent"));
    file->addSeparator();
    file->addAction(tr("&Save"), QKeySequence::Save, this, &TeacherWindow::save)
        ->setObjectName(QStringLiteral("save"));
    // Ctrl+Shift+S where the desktop names no key of its own for it.
    const QList<QKeySequence> saveAsKeys = QKeySequence::keyBindings(QKeySequence::SaveAs);
    file->addAction(tr("Save &as…"),
                    saveAsKeys.isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                         : saveAsKeys.front(),
                    this, &TeacherWindow::saveAs)
        ->setObjectName(QStringLiteral("saveAs"));
    file->addSeparator();
    file->addAction(tr("&Print the test…"), QKeySequence::Print, this,
                    [this] { print(PrintPart::Test); })
        ->setObjectName(QStringLiteral("print"));
    file->addAction(tr("Print the &key…"), this, [this] { print(PrintPart::Key); })
        ->setObjectName(QStringLiteral("printKey"));
    file->addAction(tr("Test as P&DF…"), this, [this] { choosePdf(PrintPart::Test); });
    file->addAction(tr("Key as PD&F…"), this, [this] { choosePdf(PrintPart::Key); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    // The stack's own actions, which name the step they undo or redo.
    QUndoStack *undo = m_document->undoStack();
    m_undo = undo->createUndoAction(this, tr("&Undo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = undo->createRedoAction(this, tr("&Redo"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) {
        redoKeys.prepend(QKeySequence(Qt::CTRL | Qt::Key_Y));
    }
    m_redo->setShortcuts(redoKeys);
    edit->addAction(m_undo);
    edit->addAction(m_redo);
    edit->addSeparator();
    edit->addAction(tr("Paste a &figure"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this,
                    &TeacherWindow::pasteFigure);

    QMenu *test = menuBar()->addMenu(tr("&Test"));
    QAction *tryIt =
        test->addAction(tr("&Try it"), QKeySequence(Qt::Key_F5), this, &TeacherWindow::tryTest);
    tryIt->setObjectName(QStringLiteral("try"));
    QMenu *results = menuBar()->addMenu(tr("&Results"));
    results->setObjectName(QStringLiteral("results"));
    results
        ->addAction(tr("&Pupils' results..."), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                    &TeacherWindow::showResults)
        ->setObjectName(QStringLiteral("showResults"));
    refreshRecent();
}

// The pupils' results in a window of their own. A test file that is open gives the test they are
// marked against and, by its results setting, the folder they are in.
void TeacherWindow::showResults()
{
    auto *view = new ResultsView(this);
    view->setWindowFlag(Qt::Window);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setWindowTitle(tr("Pupils' results"));
    const QFileInfo test(m_document->path());
    if (test.isFile() &&
        test.suffix().compare(QLatin1String(kTestFileSuffix), Qt::CaseInsensitive) == 0) {
        const QString setting = m_document->data().resultsFolder;
        const QString folder = setting.isEmpty() ? test.absolutePath()
                               : QDir::isRelativePath(setting)
                                   ? test.absoluteDir().absoluteFilePath(setting)
                                   : setting;
        view->open(folder, test.absoluteFilePath());
    }
    view->resize(900, 600);
    view->show();
}

QWidget *TeacherWindow::buildQuestionList()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    m_list = new QTreeWidget(panel);
    m_list->setAccessibleName(tr("Questions"));
    m_list->setHeaderLabels({tr("No."), tr("Question"), tr("Figure"), tr("Problem")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    m_list->setMinimumWidth(200);
    layout->addWidget(m_list);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item != nullptr && !m_refreshing) {
            selectQuestion(m_list->indexOfTopLevelItem(item));
        }
    });
    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &text, const QString &name, auto slot) {
        auto *b = new QPushButton(text, panel);
        b->setAccessibleName(name);
        b->setToolTip(name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button(tr("Add"), tr("Add a question"), [this] {
        // After the chosen question; the first of a test that has none.
        const int at =
            std::min(m_current + 1, static_cast<int>(m_document->data().questions.size()));
        m_document->change(tr("Add a question"), [at](Test &data) {
            Question question;
            question.choices = QStringList(4, QString());
            question.right = 0;
            question.explanation = QStringList{QString()};
            data.questions.insert(data.questions.begin() + at, question);
        });
        selectQuestion(at);
        m_text->setFocus();
    });
    button(tr("Copy"), tr("Duplicate the question"), [this] {
        if (m_document->data().questions.empty()) {
            return;
        }
        const int at = m_current;
        m_document->change(tr("Duplicate the question"), [at](Test &data) {
            data.questions.insert(data.questions.begin() + at + 1, data.questions.at(at));
        });
        selectQuestion(at + 1);
    });
    button(tr("Delete"), tr("Delete the question"), [this] {
        if (m_document->data().questions.size() <= 1) {
            return;
        }
        const int at = m_current;
        m_document->change(tr("Delete the question"),
                           [at](Test &data) { data.questions.erase(data.questions.begin() + at); });
    });
    button(QStringLiteral("↑"), tr("Move the question up"), [this] { moveQuestion(-1); });
    button(QStringLiteral("↓"), tr("Move the question down"), [this] { moveQuestion(1); });
    layout->addLayout(buttons);
    return panel;
}

void TeacherWindow::editQuestion(const QString &label, int field,
                                 const std::function<void(Question &)> &edit)
{
    const int at = m_current;
    if (at < 0 || at >= static_cast<int>(m_document->data().questions.size())) {
        return;
    }
    m_document->change(
        label, [at, &edit](Test &data) { edit(data.questions.at(static_cast<std::size_t>(at))); },
        field < 0 ? -1 : mergeId(field, at));
}

void TeacherWindow::moveQuestion(int by)
{
    const int from = m_current;
    const int to = from + by;
    if (to < 0 || to >= static_cast<int>(m_document->data().questions.size())) {
        return;
    }
    m_document->change(tr("Move the question"), [from, to](Test &data) {
        std::swap(data.questions.at(static_cast<std::size_t>(from)),
                  data.questions.at(static_cast<std::size_t>(to)));
    });
    selectQuestion(to);
}

void TeacherWindow::moveChoice(int choice, int by)
{
    editQuestion(tr("Move a choice"), -1, [choice, by](Question &question) {
        const int to = choice + by;
        if (to < 0 || to >= question.choices.size()) {
            return;
        }
        question.choices.swapItemsAt(choice, to);
        if (question.right == choice) {
            question.right = to;
        } else if (question.right == to) {
            question.right = choice;
        }
    });
}

void TeacherWindow::selectQuestion(int index)
{
    const int count = static_cast<int>(m_document->data().questions.size());
    m_current = std::clamp(index, 0, std::max(0, count - 1));
    refresh();
}

void TeacherWindow::refresh()
{
    const int count = static_cast<int>(m_document->data().questions.size());
    m_current = std::clamp(m_current, 0, std::max(0, count - 1));
    m_refreshing = true;
    refreshList();
    refreshEditor();
    refreshProblems();
    m_refreshing = false;
    const QString path = m_document->path();
    m_fileLabel->setText((path.isEmpty() ? tr("not saved") : QDir::toNativeSeparators(path)) +
                         (m_document->undoStack()->isClean() ? QString() : QStringLiteral(" *")));
    // The test file in the title, marked while it has changes, as the task bar shows it.
    if (path.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(tr("KOVRA — teacher"));
    } else {
        setWindowTitle(
            QStringLiteral("%1[*] — %2").arg(QFileInfo(path).fileName(), tr("KOVRA — teacher")));
        setWindowModified(!m_document->undoStack()->isClean());
    }
}

// A new test the teacher has not begun: its empty fields are not yet problems to list.
bool TeacherWindow::untouchedNewTest() const
{
    return m_source.isEmpty() && m_document->path().isEmpty() &&
           m_document->undoStack()->count() == 0;
}

void TeacherWindow::refreshList()
{
    const auto &questions = m_document->data().questions;
    std::vector<bool> troubled(questions.size() + 1, false);
    for (const Problem &problem : untouchedNewTest() ? Problems{} : m_document->problems()) {
        if (problem.question > 0 && problem.question <= static_cast<int>(questions.size())) {
            troubled.at(static_cast<std::size_t>(problem.question)) = true;
        }
    }
    while (m_list->topLevelItemCount() > static_cast<int>(questions.size())) {
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    }
    while (m_list->topLevelItemCount() < static_cast<int>(questions.size())) {
        m_list->addTopLevelItem(new QTreeWidgetItem(m_list));
    }
    for (int i = 0; i < static_cast<int>(questions.size()); ++i) {
        const Question &question = questions.at(static_cast<std::size_t>(i));
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        // Only what changed: each change makes the view measure its columns again.
        const auto setText = [item](int column, const QString &text) {
            if (item->text(column) != text) {
                item->setText(column, text);
            }
        };
        setText(0, QString::number(i + 1));
        setText(1, shortText(question.text));
        const bool figure = !question.figure.isEmpty() || !question.figure.missing.isEmpty();
        setText(2, figure ? tr("yes") : QString());
        const bool problem = troubled.at(static_cast<std::size_t>(i + 1));
        if (problem != !item->text(3).isEmpty()) {
            item->setText(3, problem ? tr("problem") : QString());
            item->setIcon(3,
                          problem ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
        }
    }
    if (m_list->topLevelItemCount() > 0) {
        m_list->setCurrentItem(m_list->topLevelItem(m_current));
    }
}

void TeacherWindow::refreshEditor()
{
    const Test &data = m_document->data();
    if (m_title->text() != data.title) {
        m_title->setText(data.title);
    }
    m_phrase->setChecked(data.phrase);
    m_toto->setChecked(data.askAgain);
    m_explanations->setChecked(data.explanations);
    m_reviewButtons->setChecked(data.reviewButtons);
    m_draw->setValue(data.draw);
    m_collect->setChecked(data.collectResults);
    if (m_resultsFolder->text() != data.resultsFolder) {
        m_resultsFolder->setText(data.resultsFolder);
    }
    m_resultsFolder->setEnabled(data.collectResults);
    m_questionBox->setEnabled(!data.questions.empty());
    if (data.questions.empty()) {
        return;
    }
    const Question &question = data.questions.at(static_cast<std::size_t>(m_current));
    static_cast<QGroupBox *>(m_questionBox)->setTitle(tr("Question %1").arg(m_current + 1));
    if (m_text->toPlainText() != question.text) {
        m_text->setPlainText(question.text);
    }
    const int count = static_cast<int>(question.choices.size());
    for (int c = 0; c < static_cast<int>(m_choices.size()); ++c) {
        ChoiceRow &row = m_choices.at(static_cast<std::size_t>(c));
        row.row->setVisible(c < count);
        // None is marked when no key is picked, which an exclusive group cannot show.
        m_rightChoice->setExclusive(false);
        row.right->setChecked(c < count && question.right == c);
        m_rightChoice->setExclusive(true);
        if (c >= count) {
            continue;
        }
        if (row.edit->text() != question.choices.at(c)) {
            row.edit->setText(question.choices.at(c));
        }
        row.up->setEnabled(c > 0);
        row.down->setEnabled(c + 1 < count);
        row.remove->setEnabled(count > KOVRA_Danni::kMinChoices);
    }
    m_addChoice->setEnabled(count < KOVRA_Danni::kMaxChoices);
    const QString explanation = question.explanation.join(QLatin1Char('\n'));
    if (m_explanation->toPlainText() != explanation) {
        m_explanation->setPlainText(explanation);
    }
    m_removeFigure->setEnabled(!question.figure.isEmpty() || !question.figure.missing.isEmpty());
    // Decoded once per figure, fitted as the pupil's window fits it.
    if (question.figure.isEmpty()) {
        m_previewOf.clear();
        m_figure->setPixmap(QPixmap());
        m_figure->setText(question.figure.missing.isEmpty()
                              ? tr("No figure.\nDrop or paste one here.")
                              : tr("%1 is missing").arg(question.figure.missing));
    } else if (!m_previewOf.isSharedWith(question.figure.bytes)) {
        m_previewOf = question.figure.bytes;
        const QImage image = decodeFigure(question.figure.bytes, question.figure.suffix);
        if (image.isNull()) {
            m_figure->setPixmap(QPixmap());
            m_figure->setText(tr("This figure cannot be shown."));
        } else {
            const qreal ratio = devicePixelRatioF();
            QPixmap pixmap = QPixmap::fromImage(
                image.scaled(kFigureArea * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            pixmap.setDevicePixelRatio(ratio);
            m_figure->setPixmap(pixmap);
        }
    }
}

void TeacherWindow::refreshProblems()
{
    QString html;
    // What opening a file found comes first: it is what the teacher asked about.
    if (!m_openProblems.empty()) {
        html += QStringLiteral("<p><b>%1</b></p>").arg(m_openedWhat.toHtmlEscaped());
        for (const Problem &problem : m_openProblems) {
            html += QStringLiteral("<div>%1</div>")
                        .arg(describe(problem, Audience::Window).toHtmlEscaped());
        }
        html += QStringLiteral("<hr/>");
    }
    const Problems &problems = untouchedNewTest() ? Problems{} : m_document->problems();
    if (untouchedNewTest()) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("A new test: write each question and its choices, and mark the right "
                            "choice. What is still missing is shown here as you go.")
                             .toHtmlEscaped());
    } else if (problems.empty()) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("No problems: the test can be saved.").toHtmlEscaped());
    }
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Problem &problem = problems.at(i);
        // An error in red, a warning in the text's colour; describe() says which it is.
        html += QStringLiteral("<div><a href=\"problem:%1\" style=\"color: %2\">%3</a></div>")
                    .arg(i)
                    .arg(problem.severity == Severity::Error ? QStringLiteral("#b00020")
                                                             : QStringLiteral("#5c4400"))
                    .arg(describe(problem, Audience::Window).toHtmlEscaped());
    }
    if (html != m_problemHtml) {
        m_problemHtml = html;
        m_problemView->setHtml(html);
    }
}

void TeacherWindow::showProblem(const QUrl &link)
{
    const Problems &problems = m_document->problems();
    const std::size_t index = link.path().toULongLong();
    if (link.scheme() != QLatin1String("problem") || index >= problems.size()) {
        return;
    }
    const Problem problem = problems.at(index);
    if (problem.question > 0) {
        selectQuestion(problem.question - 1);
    }
    const ContentField field = problem.place.field;
    QWidget *target = m_list;
    if (field == ContentField::Settings) {
        target = m_title;
    } else if (field == ContentField::Text) {
        target = m_text;
    } else if (field == ContentField::Choices || field == ContentField::Key) {
        // The key is one of the choices: its text is where a key that equals none or several
        // is mended.
        const int choice =
            field == ContentField::Key
                ? m_document->data().questions.at(static_cast<std::size_t>(m_current)).right
                : problem.place.index;
        target = m_choices.at(static_cast<std::size_t>(std::clamp(choice, 0, 4))).edit;
    } else if (field == ContentField::Explanation) {
        target = m_explanation;
    } else if (field == ContentField::Figure) {
        target = m_chooseFigure;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void TeacherWindow::report(const QString &message)
{
    statusBar()->showMessage(message, 8000);
}

} // namespace kovra
