// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher_window.h"

#include "content/figures.h"
#include "results/stake.h"
#include "resultsview/resultsview.h"
#include "teacher/document.h"
#include "teacher/fields.h"
#include "teacher/figure_widget.h"
#include "teacher/problem_panel.h"
#include "teacher/question_editor.h"
#include "teacher/question_list.h"
#include "teacher/test_form.h"
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

    m_list = new QuestionList(
        m_document, [this] { return !untouchedNewTest(); }, this);
    connect(m_list, &QuestionList::chosen, this, &TeacherWindow::selectQuestion);
    connect(m_list, &QuestionList::added, this,
            [this] { m_editor->textField()->setFocus(Qt::OtherFocusReason); });
    auto *splitter = new QSplitter;
    splitter->addWidget(m_list);
    splitter->addWidget(buildEditor());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({1, 2}); // the editor two thirds, on a small screen too

    // The problems below: a few lines, the editor the rest.
    m_problems = new ProblemPanel(this);
    auto *page = new QSplitter(Qt::Vertical, this);
    page->addWidget(splitter);
    page->addWidget(m_problems);
    page->setStretchFactor(0, 1);
    page->setSizes({700, 150});
    setCentralWidget(page);
    connect(m_problems, &ProblemPanel::problemChosen, this, &TeacherWindow::showProblem);
    connect(m_editor->figure(), &FigureWidget::failed, this, &TeacherWindow::fail);
    connect(m_editor->figure(), &FigureWidget::droppedOther, this,
            [this](const QString &path) { askToKeepWork([this, path] { openPath(path); }); });

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
    m_moreTime = file->addAction(tr("Pupils' copies with more &time…"), this,
                                 &TeacherWindow::chooseMoreTime);
    m_moreTime->setObjectName(QStringLiteral("moreTime"));
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

QWidget *TeacherWindow::buildEditor()
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    // Tab goes to the form's fields, which the area scrolls into view; the area itself is no stop.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *page = new QWidget(scroll);
    auto *layout = new QVBoxLayout(page);
    m_form = new TestForm(m_document, page);
    m_editor = new QuestionEditor(m_document, page);
    layout->addWidget(m_form);
    layout->addWidget(m_editor);
    layout->addStretch();
    scroll->setWidget(page);
    return scroll;
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
    m_list->showCurrent(m_current);
    m_form->showTest();
    m_editor->showQuestion(m_current);
    m_problems->showProblems(m_document->problems(), untouchedNewTest());
    const Test &test = m_document->data();
    m_moreTime->setEnabled(test.forMarks && test.forMarks->minutes > 0 && !test.isPupilsCopy());
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

void TeacherWindow::showProblem(std::size_t index)
{
    const Problems &problems = m_document->problems();
    if (index >= problems.size()) {
        return;
    }
    const Problem problem = problems.at(index);
    if (problem.question > 0) {
        selectQuestion(problem.question - 1);
    }
    QWidget *target = problem.question > 0 ? m_editor->fieldOf(problem) : nullptr;
    if (target == nullptr) {
        target = problem.place.field == ContentField::Settings ? m_form->titleField() : m_list;
    }
    target->setFocus(Qt::OtherFocusReason);
}

bool TeacherWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A field that would take Undo or Redo for its own typing leaves it to the window's actions.
    if (event->type() == QEvent::ShortcutOverride &&
        isHistoryKey(*static_cast<QKeyEvent *>(event))) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TeacherWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasImage() || event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

// An image or a figure file becomes the chosen question's figure; any other file is opened.
void TeacherWindow::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (m_editor->figure()->takeDrop(data)) {
        event->acceptProposedAction();
    } else if (data->hasUrls() && data->urls().value(0).isLocalFile()) {
        const QString path = data->urls().value(0).toLocalFile();
        askToKeepWork([this, path] { openPath(path); });
        event->acceptProposedAction();
    }
}

void TeacherWindow::pasteFigure()
{
    m_editor->figure()->paste();
}

bool TeacherWindow::setFigureFile(const QString &path)
{
    return m_editor->figure()->setFigureFile(path);
}

void TeacherWindow::tell(const QString &message)
{
    statusBar()->showMessage(message);
}

void TeacherWindow::fail(const QString &message)
{
    statusBar()->clearMessage();
    m_problems->showFailure(message);
}

} // namespace kovra
