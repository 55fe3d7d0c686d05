// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher_window.h"

#include "content/figures.h"
#include "results/stake.h"
#include "resultsview/resultsview.h"
#include "teacher/document.h"
#include "teacher/fields.h"
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

namespace {

// The fields of a question, for merging the keystrokes of one field into one undo step and
// for finding the field a problem names.
enum Field : int
{
    TitleField = 1,
    TextField,
    ExplanationField,
    DrawField,
    ResultsField,
    FirstChoiceField = 10,
};

int mergeId(int field, int question)
{
    return field * 1000 + question;
}

constexpr int kMaxRecent = 8;
// Work is kept aside once the teacher pauses, and while the teacher types on, at least this often.
constexpr int kRecoveryDelayMs = 1500;
constexpr int kRecoveryAtMostMs = 4000;
const QSize kFigureArea{225, 137};
// The size the window opens at where the screen has room; never more than the screen has.
const QSize kOpeningSize{1200, 840};

bool isFigureFile(const QString &path)
{
    static const QStringList suffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("png"), QStringLiteral("gif"),
                                      QStringLiteral("bmp")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

// The start of a question's text, for the list.
QString shortText(const QString &text)
{
    constexpr int kShown = 48;
    const QString line = text.simplified();
    return line.size() > kShown ? line.left(kShown - 1) + QChar(0x2026) : line;
}

} // namespace

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
    file->addAction(tr("Save &as…"), QKeySequence::SaveAs, this, &TeacherWindow::saveAs)
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
        m_document->change(tr("Add a question"), [at](TestData &data) {
            TeacherQuestion question;
            question.choices = QStringList(4, QString());
            question.key = 0;
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
        m_document->change(tr("Duplicate the question"), [at](TestData &data) {
            data.questions.insert(data.questions.begin() + at + 1, data.questions.at(at));
        });
        selectQuestion(at + 1);
    });
    button(tr("Delete"), tr("Delete the question"), [this] {
        if (m_document->data().questions.size() <= 1) {
            return;
        }
        const int at = m_current;
        m_document->change(tr("Delete the question"), [at](TestData &data) {
            data.questions.erase(data.questions.begin() + at);
        });
    });
    button(QStringLiteral("↑"), tr("Move the question up"), [this] { moveQuestion(-1); });
    button(QStringLiteral("↓"), tr("Move the question down"), [this] { moveQuestion(1); });
    layout->addLayout(buttons);
    return panel;
}

QWidget *TeacherWindow::buildEditor()
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    // Tab goes to the form's fields, which the area scrolls into view; the area itself is no stop.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *page = new QWidget(scroll);
    auto *layout = new QVBoxLayout(page);

    auto *testBox = new QGroupBox(tr("The test"), page);
    auto *testForm = new QFormLayout(testBox);
    m_title = new QLineEdit(testBox);
    m_title->setAccessibleName(tr("Title"));
    testForm->addRow(tr("&Title:"), m_title);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_document->change(
            tr("Edit the title"), [&text](TestData &data) { data.title = text; },
            mergeId(TitleField, 0));
    });
    const auto flag = [&](const QString &text, bool TestData::*member) {
        auto *box = new QCheckBox(text, testBox);
        box->setAccessibleName(text);
        testForm->addRow(box);
        connect(box, &QCheckBox::toggled, this, [this, member, text](bool on) {
            if (!m_refreshing) {
                m_document->change(text, [member, on](TestData &data) { data.*member = on; });
            }
        });
        return box;
    };
    m_phrase = flag(tr("Phrase mode: the chosen answer is put into the blank (_) of the question"),
                    &TestData::phrase);
    m_toto = flag(tr("Check: the first question is asked again later, and both answers compared"),
                  &TestData::toto);
    m_explanations = flag(tr("Show the explanations in the review"), &TestData::explanations);
    m_reviewButtons = flag(tr("Review buttons: step through every question after the evaluation"),
                           &TestData::reviewButtons);
    m_draw = new QSpinBox(testBox);
    m_draw->setRange(0, KOVRA_Danni::kFigureSlots - 1);
    m_draw->setSpecialValueText(tr("all"));
    m_draw->setAccessibleName(tr("Questions for each pupil"));
    testForm->addRow(tr("&Questions for each pupil:"), m_draw);
    connect(m_draw, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_refreshing) {
            m_document->change(
                tr("Questions for each pupil"), [value](TestData &data) { data.draw = value; },
                mergeId(DrawField, 0));
        }
    });
    m_collect = flag(tr("Collect the pupils' results"), &TestData::collectResults);
    m_resultsFolder = new QLineEdit(testBox);
    m_resultsFolder->setAccessibleName(tr("Folder of the results"));
    m_resultsFolder->setPlaceholderText(tr("the test file's own folder"));
    auto *resultsRow = new QHBoxLayout;
    resultsRow->addWidget(m_resultsFolder);
    auto *chooseFolder = new QPushButton(tr("Choose…"), testBox);
    chooseFolder->setAccessibleName(tr("Choose the folder of the results"));
    resultsRow->addWidget(chooseFolder);
    auto *folderLabel = new QLabel(tr("Results &folder:"), testBox);
    folderLabel->setBuddy(m_resultsFolder);
    testForm->addRow(folderLabel, resultsRow);
    const auto setFolder = [this](const QString &folder) {
        m_document->change(
            tr("Folder of the results"), [&folder](TestData &data) { data.resultsFolder = folder; },
            mergeId(ResultsField, 0));
    };
    connect(m_resultsFolder, &QLineEdit::textEdited, this, setFolder);
    connect(chooseFolder, &QPushButton::clicked, this, [this, setFolder] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Folder of the results"));
        if (!folder.isEmpty()) {
            setFolder(folder);
        }
    });
    connect(m_collect, &QCheckBox::toggled, m_resultsFolder, &QWidget::setEnabled);
    connect(m_collect, &QCheckBox::toggled, chooseFolder, &QWidget::setEnabled);
    chooseFolder->setEnabled(false);
    layout->addWidget(testBox);

    auto *questionBox = new QGroupBox(page);
    m_questionBox = questionBox;
    auto *form = new QFormLayout(questionBox);
    m_text = new PlainTextField(questionBox);
    m_text->setAccessibleName(tr("Question text"));
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 3 + 12);
    form->addRow(tr("Te&xt:"), m_text);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (m_refreshing) {
            return;
        }
        const QString text = m_text->toPlainText();
        editQuestion(tr("Edit the question"), TextField,
                     [&text](TeacherQuestion &question) { question.text = text; });
    });

    auto *choices = new QWidget(questionBox);
    // One right choice: a click on the marked one leaves it marked.
    m_rightChoice = new QButtonGroup(choices);
    m_rightChoice->setExclusive(true);
    auto *choiceLayout = new QVBoxLayout(choices);
    choiceLayout->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < static_cast<int>(m_choices.size()); ++c) {
        ChoiceRow &row = m_choices.at(static_cast<std::size_t>(c));
        row.row = new QWidget(choices);
        auto *line = new QHBoxLayout(row.row);
        line->setContentsMargins(0, 0, 0, 0);
        row.right = new QRadioButton(row.row);
        row.right->setAccessibleName(tr("Choice %1 is the right one").arg(c + 1));
        row.right->setToolTip(tr("The right choice"));
        m_rightChoice->addButton(row.right, c);
        row.edit = new QLineEdit(row.row);
        row.edit->setAccessibleName(tr("Choice %1").arg(c + 1));
        row.up = new QToolButton(row.row);
        row.up->setText(QStringLiteral("↑"));
        row.up->setAccessibleName(tr("Move choice %1 up").arg(c + 1));
        row.up->setToolTip(tr("Move the choice up"));
        row.down = new QToolButton(row.row);
        row.down->setText(QStringLiteral("↓"));
        row.down->setAccessibleName(tr("Move choice %1 down").arg(c + 1));
        row.down->setToolTip(tr("Move the choice down"));
        row.remove = new QToolButton(row.row);
        row.remove->setText(QStringLiteral("✕"));
        row.remove->setAccessibleName(tr("Remove choice %1").arg(c + 1));
        row.remove->setToolTip(tr("Remove the choice"));
        for (QWidget *w : {static_cast<QWidget *>(row.right), static_cast<QWidget *>(row.edit),
                           static_cast<QWidget *>(row.up), static_cast<QWidget *>(row.down),
                           static_cast<QWidget *>(row.remove)}) {
            line->addWidget(w);
        }
        choiceLayout->addWidget(row.row);
        connect(row.right, &QRadioButton::toggled, this, [this, c](bool on) {
            if (on && !m_refreshing) {
                editQuestion(tr("Pick the right choice"), -1,
                             [c](TeacherQuestion &question) { question.key = c; });
            }
        });
        connect(row.edit, &QLineEdit::textEdited, this, [this, c](const QString &text) {
            editQuestion(tr("Edit a choice"), FirstChoiceField + c,
                         [c, &text](TeacherQuestion &question) { question.choices[c] = text; });
        });
        connect(row.up, &QToolButton::clicked, this, [this, c] { moveChoice(c, -1); });
        connect(row.down, &QToolButton::clicked, this, [this, c] { moveChoice(c, 1); });
        connect(row.remove, &QToolButton::clicked, this, [this, c] {
            editQuestion(tr("Remove a choice"), -1, [c](TeacherQuestion &question) {
                question.choices.removeAt(c);
                if (question.key == c) {
                    question.key = -1;
                } else if (question.key > c) {
                    --question.key;
                }
            });
        });
    }
    m_addChoice = new QPushButton(tr("Add a choice"), choices);
    m_addChoice->setAccessibleName(tr("Add a choice"));
    choiceLayout->addWidget(m_addChoice, 0, Qt::AlignLeft);
    connect(m_addChoice, &QPushButton::clicked, this, [this] {
        editQuestion(tr("Add a choice"), -1,
                     [](TeacherQuestion &question) { question.choices.append(QString()); });
    });
    form->addRow(tr("Choices:"), choices);

    auto *figureRow = new QWidget(questionBox);
    auto *figureLayout = new QHBoxLayout(figureRow);
    figureLayout->setContentsMargins(0, 0, 0, 0);
    m_figure = new QLabel(figureRow);
    m_figure->setFixedSize(kFigureArea + QSize(2, 2));
    m_figure->setAlignment(Qt::AlignCenter);
    m_figure->setFrameShape(QFrame::Box);
    m_figure->setAccessibleName(tr("Figure, as the pupil sees it"));
    // A figure dropped here, as on the window.
    m_figure->setAcceptDrops(true);
    m_figure->installEventFilter(this);
    figureLayout->addWidget(m_figure);
    auto *figureButtons = new QVBoxLayout;
    m_chooseFigure = new QPushButton(tr("Choose a file…"), figureRow);
    m_chooseFigure->setAccessibleName(tr("Choose a figure file"));
    connect(m_chooseFigure, &QPushButton::clicked, this, &TeacherWindow::chooseFigure);
    auto *paste = new QPushButton(tr("Paste"), figureRow);
    paste->setAccessibleName(tr("Paste a figure"));
    connect(paste, &QPushButton::clicked, this, &TeacherWindow::pasteFigure);
    m_removeFigure = new QPushButton(tr("Remove"), figureRow);
    m_removeFigure->setAccessibleName(tr("Remove the figure"));
    connect(m_removeFigure, &QPushButton::clicked, this, [this] {
        editQuestion(tr("Remove the figure"), -1, [](TeacherQuestion &question) {
            question.figure.clear();
            question.figureName.clear();
            question.figureFault.reset();
        });
    });
    figureButtons->addWidget(m_chooseFigure);
    figureButtons->addWidget(paste);
    figureButtons->addWidget(m_removeFigure);
    figureButtons->addStretch();
    figureLayout->addLayout(figureButtons);
    figureLayout->addStretch();
    form->addRow(tr("Figure:"), figureRow);

    m_explanation = new PlainTextField(questionBox);
    m_explanation->setAccessibleName(tr("Explanation, one line a row"));
    m_explanation->setFixedHeight(m_explanation->fontMetrics().lineSpacing() * 4 + 12);
    form->addRow(tr("&Explanation:"), m_explanation);
    connect(m_explanation, &QPlainTextEdit::textChanged, this, [this] {
        if (m_refreshing) {
            return;
        }
        const QStringList lines = m_explanation->toPlainText().split(QLatin1Char('\n'));
        editQuestion(tr("Edit the explanation"), ExplanationField,
                     [&lines](TeacherQuestion &question) { question.explanation = lines; });
    });
    layout->addWidget(questionBox);
    layout->addStretch();
    scroll->setWidget(page);
    return scroll;
}

void TeacherWindow::editQuestion(const QString &label, int field,
                                 const std::function<void(TeacherQuestion &)> &edit)
{
    const int at = m_current;
    if (at < 0 || at >= static_cast<int>(m_document->data().questions.size())) {
        return;
    }
    m_document->change(
        label,
        [at, &edit](TestData &data) { edit(data.questions.at(static_cast<std::size_t>(at))); },
        field < 0 ? -1 : mergeId(field, at));
}

void TeacherWindow::moveQuestion(int by)
{
    const int from = m_current;
    const int to = from + by;
    if (to < 0 || to >= static_cast<int>(m_document->data().questions.size())) {
        return;
    }
    m_document->change(tr("Move the question"), [from, to](TestData &data) {
        std::swap(data.questions.at(static_cast<std::size_t>(from)),
                  data.questions.at(static_cast<std::size_t>(to)));
    });
    selectQuestion(to);
}

void TeacherWindow::moveChoice(int choice, int by)
{
    editQuestion(tr("Move a choice"), -1, [choice, by](TeacherQuestion &question) {
        const int to = choice + by;
        if (to < 0 || to >= question.choices.size()) {
            return;
        }
        question.choices.swapItemsAt(choice, to);
        if (question.key == choice) {
            question.key = to;
        } else if (question.key == to) {
            question.key = choice;
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
        const TeacherQuestion &question = questions.at(static_cast<std::size_t>(i));
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        // Only what changed: each change makes the view measure its columns again.
        const auto setText = [item](int column, const QString &text) {
            if (item->text(column) != text) {
                item->setText(column, text);
            }
        };
        setText(0, QString::number(i + 1));
        setText(1, shortText(question.text));
        const bool figure = !question.figure.isEmpty() || !question.figureName.isEmpty();
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
    const TestData &data = m_document->data();
    if (m_title->text() != data.title) {
        m_title->setText(data.title);
    }
    m_phrase->setChecked(data.phrase);
    m_toto->setChecked(data.toto);
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
    const TeacherQuestion &question = data.questions.at(static_cast<std::size_t>(m_current));
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
        row.right->setChecked(c < count && question.key == c);
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
    m_removeFigure->setEnabled(!question.figure.isEmpty() || !question.figureName.isEmpty());
    // Decoded once per figure, fitted as the pupil's window fits it.
    if (question.figure.isEmpty()) {
        m_previewOf.clear();
        m_figure->setPixmap(QPixmap());
        m_figure->setText(question.figureName.isEmpty()
                              ? tr("No figure.\nDrop or paste one here.")
                              : tr("%1 is missing").arg(question.figureName));
    } else if (!m_previewOf.isSharedWith(question.figure)) {
        m_previewOf = question.figure;
        const QImage image = decodeFigure(question.figure, question.figureSuffix);
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
    const QString &field = problem.field;
    QWidget *target = m_list;
    if (field.startsWith(QLatin1String("settings"))) {
        target = m_title;
    } else if (field == QLatin1String("text")) {
        target = m_text;
    } else if (field.startsWith(QLatin1String("choices")) || field == QLatin1String("key")) {
        const int choice =
            field.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0).toInt();
        const auto row = static_cast<std::size_t>(std::clamp(choice, 0, 4));
        // The key is one of the choices: its text is where a key that equals none or several
        // is mended.
        const int key = m_document->data().questions.at(static_cast<std::size_t>(m_current)).key;
        target = field == QLatin1String("key")
                     ? m_choices.at(static_cast<std::size_t>(std::clamp(key, 0, 4))).edit
                     : m_choices.at(row).edit;
    } else if (field.startsWith(QLatin1String("explanation"))) {
        target = m_explanation;
    } else if (field == QLatin1String("figure")) {
        target = m_chooseFigure;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void TeacherWindow::report(const QString &message)
{
    statusBar()->showMessage(message, 8000);
}

bool TeacherWindow::openPath(const QString &path)
{
    return showOpened(path, openTest(path));
}

bool TeacherWindow::showOpened(const QString &path, OpenedTest opened)
{
    m_openedWhat = opened.data ? tr("When %1 was opened:").arg(QFileInfo(path).fileName())
                               : tr("%1 cannot be opened:").arg(QFileInfo(path).fileName());
    if (!opened.data) {
        m_openProblems = std::move(opened.problems);
        report(tr("%1 cannot be opened; the problems say why.").arg(QFileInfo(path).fileName()));
        refreshProblems();
        return false;
    }
    m_openProblems = std::move(opened.problems);
    const bool testFile =
        QFileInfo(path).isFile() &&
        QFileInfo(path).suffix().compare(QLatin1String(kTestFileSuffix), Qt::CaseInsensitive) == 0;
    m_current = 0;
    m_source = QFileInfo(path).absoluteFilePath();
    dropRecovery();
    m_document->reset(std::move(*opened.data),
                      testFile ? QFileInfo(path).absoluteFilePath() : QString());
    addRecent(QFileInfo(path).absoluteFilePath());
    return true;
}

bool TeacherWindow::saveTo(const QString &path)
{
    // A key changed over pupils' results: the teacher is told that their marks change.
    const ResultsAtStake stake = resultsAtStake(path, m_document->load());
    const Problems failed = m_document->save(path);
    if (!failed.empty()) {
        report(hasErrors(m_document->problems())
                   ? tr("The test has problems and is not saved; mend them first.")
                   : describe(failed.front()));
        return false;
    }
    dropRecovery();
    addRecent(path);
    report(tr("Saved %1.").arg(QDir::toNativeSeparators(path)));
    if (stake.files > 0) {
        auto *box = new QMessageBox(QMessageBox::Information, windowTitle(), resultsRemarked(stake),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    refresh();
    return true;
}

bool TeacherWindow::exportPdf(const QString &path, PrintPart part)
{
    const LoadResult loaded = m_document->load();
    if (!loaded.content) {
        report(tr("The test has problems; mend them before printing."));
        return false;
    }
    const Problems failed = writeTestPdf(path, *loaded.content, part);
    report(failed.empty() ? tr("Wrote %1.").arg(QDir::toNativeSeparators(path))
                          : describe(failed.front()));
    return failed.empty();
}

void TeacherWindow::newTest()
{
    askToKeepWork([this] {
        m_openProblems.clear();
        m_current = 0;
        m_source.clear();
        dropRecovery();
        m_document->reset(kovra::newTest(), {});
    });
}

void TeacherWindow::open()
{
    askToKeepWork([this] {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Open a test"), QString(),
            tr("Tests and question banks (*.kovra *.gift *.txt *.csv *.xml);;All files (*)"));
        if (!path.isEmpty()) {
            openPath(path);
        }
    });
}

void TeacherWindow::openFolder()
{
    askToKeepWork([this] {
        const QString path = QFileDialog::getExistingDirectory(this, tr("Open a test folder"));
        if (!path.isEmpty()) {
            openPath(path);
        }
    });
}

bool TeacherWindow::save()
{
    if (m_document->path().isEmpty()) {
        saveThen({});
        return false;
    }
    return saveTo(m_document->path());
}

void TeacherWindow::saveAs()
{
    saveThen({}, true);
}

void TeacherWindow::saveThen(const std::function<void()> &then, bool askName)
{
    if (hasErrors(m_document->problems())) {
        report(tr("The test has problems and is not saved; mend them first."));
        return;
    }
    if (!askName && !m_document->path().isEmpty()) {
        if (saveTo(m_document->path()) && then) {
            then();
        }
        return;
    }
    chooseFile(tr("Save the test"), tr("Tests (*.kovra)"), QLatin1String(kTestFileSuffix),
               [this, then](const QString &path) {
                   if (saveTo(path) && then) {
                       then();
                   }
               });
}

QString TeacherWindow::suggestedPath(const QString &suffix) const
{
    const QFileInfo source(m_source);
    QString name =
        m_source.isEmpty() ? m_document->data().title.simplified() : source.completeBaseName();
    // No character a file system refuses in a name.
    static const QRegularExpression refused(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    name.replace(refused, QStringLiteral("-"));
    if (name.isEmpty()) {
        name = tr("test");
    }
    const QDir folder =
        m_source.isEmpty()
            ? QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            : source.absoluteDir();
    return folder.filePath(name + QLatin1Char('.') + suffix);
}

// The dialog waits for no answer, and gives a name typed without the suffix its suffix before it
// asks whether to replace a file of that name.
void TeacherWindow::chooseFile(const QString &title, const QString &filter, const QString &suffix,
                               const std::function<void(const QString &)> &then)
{
    auto *dialog = new QFileDialog(this, title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(filter);
    dialog->setDefaultSuffix(suffix);
    const QFileInfo suggested(suggestedPath(suffix));
    dialog->setDirectory(suggested.absolutePath());
    dialog->selectFile(suggested.fileName());
    connect(dialog, &QFileDialog::fileSelected, this, then);
    dialog->open();
}

void TeacherWindow::print(PrintPart part)
{
    if (!m_document->load().content) {
        report(tr("The test has problems; mend them before printing."));
        return;
    }
    // The dialog does not wait for its answer: it keeps the window from edits meanwhile, and the
    // printer lives as long as the dialog.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(m_document->data().title);
    setTestPage(*printer);
    auto *dialog = new QPrintDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, printer, part] {
        const LoadResult loaded = m_document->load();
        if (loaded.content) {
            printTest(*printer, *loaded.content, part);
            report(printer->outputFileName().isEmpty()
                       ? tr("Sent to the printer.")
                       : tr("Wrote %1.").arg(QDir::toNativeSeparators(printer->outputFileName())));
        }
    });
    dialog->open();
}

void TeacherWindow::choosePdf(PrintPart part)
{
    // Beside the test, named after it.
    chooseFile(tr("Write a PDF"), tr("PDF files (*.pdf)"), QStringLiteral("pdf"),
               [this, part](const QString &path) { exportPdf(path, part); });
}

void TeacherWindow::chooseFigure()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Choose a figure"), QString(), tr("Figures (*.jpg *.jpeg *.png *.gif *.bmp)"));
    if (!path.isEmpty()) {
        setFigureFile(path);
    }
}

bool TeacherWindow::setFigureFile(const QString &path)
{
    QFile file(path);
    // A figure larger than a test file may hold is not read at all.
    if (file.size() > kMaxEntryBytes) {
        report(tr("%1 is larger than a figure may be (%2 MiB).")
                   .arg(QFileInfo(path).fileName())
                   .arg(kMaxEntryBytes / kMiB));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report(tr("%1 cannot be read: %2").arg(QFileInfo(path).fileName(), file.errorString()));
        return false;
    }
    QByteArray bytes = file.read(kMaxEntryBytes + 1);
    if (bytes.size() > kMaxEntryBytes) {
        return false;
    }
    QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "jpeg") {
        suffix = "jpg";
    }
    editQuestion(tr("Set the figure"), -1, [&bytes, &suffix](TeacherQuestion &question) {
        setFigure(question, bytes, suffix);
    });
    return true;
}

void TeacherWindow::setFigureImage(const QImage &image)
{
    // Kept as it is: saving fits it as every figure.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    editQuestion(tr("Paste a figure"), -1, [&bytes](TeacherQuestion &question) {
        setFigure(question, bytes, QByteArrayLiteral("png"));
    });
}

void TeacherWindow::pasteFigure()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data != nullptr && data->hasImage()) {
        setFigureImage(qvariant_cast<QImage>(data->imageData()));
    } else if (data != nullptr && data->hasUrls() && data->urls().value(0).isLocalFile()) {
        setFigureFile(data->urls().value(0).toLocalFile());
    } else {
        report(tr("The clipboard holds no image."));
    }
}

bool TeacherWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A field that would take Undo or Redo for its own typing leaves it to the window's actions.
    if (event->type() == QEvent::ShortcutOverride &&
        isHistoryKey(*static_cast<QKeyEvent *>(event))) {
        event->ignore();
        return true;
    }
    if (watched == m_figure && event->type() == QEvent::DragEnter) {
        dragEnterEvent(static_cast<QDragEnterEvent *>(event));
        return true;
    }
    if (watched == m_figure && event->type() == QEvent::Drop) {
        dropEvent(static_cast<QDropEvent *>(event));
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

void TeacherWindow::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (data->hasImage()) {
        setFigureImage(qvariant_cast<QImage>(data->imageData()));
    } else if (data->hasUrls() && data->urls().value(0).isLocalFile()) {
        const QString path = data->urls().value(0).toLocalFile();
        if (isFigureFile(path)) {
            setFigureFile(path);
        } else {
            askToKeepWork([this, path] { openPath(path); });
        }
    } else {
        return;
    }
    event->acceptProposedAction();
}

void TeacherWindow::tryTest()
{
    // A try is the teacher's, never a pupil's: it keeps no result.
    TestData data = m_document->data();
    data.collectResults = false;
    const WrittenTest written = makeTestArchive(filesOf(data));
    const QString folder = written.archive ? m_tries.ensureFolder() : QString();
    if (folder.isEmpty()) {
        report(tr("The test has problems; mend them before trying it."));
        return;
    }
    const QString file = folder + QStringLiteral("/try-%1.kovra").arg(++m_triesMade);
    if (const Problems failed = saveFile(file, *written.archive); !failed.empty()) {
        report(describe(failed.front()));
        return;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(m_playerProgram, {file}, QString(), &pid)) {
        report(
            tr("The player %1 cannot be started.").arg(QDir::toNativeSeparators(m_playerProgram)));
        return;
    }
    report(tr("The test plays in the player's window."));
    Q_EMIT playerStarted(pid, file);
}

// Recent files: kept in the user's settings.
void TeacherWindow::addRecent(const QString &path)
{
    QSettings settings;
    QStringList recent = settings.value(QStringLiteral("recent")).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    settings.setValue(QStringLiteral("recent"), recent.mid(0, kMaxRecent));
    refreshRecent();
}

void TeacherWindow::refreshRecent()
{
    m_recentMenu->clear();
    const QStringList recent = QSettings().value(QStringLiteral("recent")).toStringList();
    for (const QString &path : recent) {
        // An ampersand in a file name is shown, not taken for the menu's shortcut.
        QString text = QDir::toNativeSeparators(path);
        m_recentMenu->addAction(text.replace(QLatin1Char('&'), QLatin1String("&&")), this,
                                [this, path] { askToKeepWork([this, path] { openPath(path); }); });
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

// The work since the last save is kept aside as it is made (RecoveryStore); a window that
// closes as it should takes it away.
void TeacherWindow::keepSoon()
{
    if (!m_unkeptSince.isValid()) {
        m_unkeptSince.start();
    }
    const qint64 left = kRecoveryAtMostMs - m_unkeptSince.elapsed();
    if (left <= 0) {
        writeRecovery();
    } else {
        m_recoveryTimer->start(static_cast<int>(std::min<qint64>(kRecoveryDelayMs, left)));
    }
}

void TeacherWindow::writeRecovery()
{
    m_recoveryTimer->stop();
    m_unkeptSince.invalidate();
    if (m_document->undoStack()->isClean()) {
        dropRecovery();
    } else if (!m_recovery.keep(m_document->data(), m_document->path())) {
        report(tr("The work cannot be kept aside in %1.")
                   .arg(QDir::toNativeSeparators(m_recovery.folder())));
    }
}

void TeacherWindow::dropRecovery()
{
    m_recoveryTimer->stop();
    m_unkeptSince.invalidate();
    m_recovery.drop();
}

QStringList TeacherWindow::recoveryFiles()
{
    QStringList files;
    for (const QString &folder : RecoveryStore::abandoned()) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(kContentFileName))) {
            files << folder;
        }
    }
    return files;
}

bool TeacherWindow::restoreFrom(const QString &recoveryFile)
{
    OpenedTest opened = openTest(recoveryFile);
    // Kept until this window has saved or given up the work again.
    if (!opened.data || !m_recovery.adopt(recoveryFile)) {
        return false;
    }
    const QString source = RecoveryStore::sourceOf(recoveryFile);
    m_openProblems.clear();
    m_current = 0;
    m_source = source;
    m_document->reset(kovra::newTest(), source);
    // An undoable step, so that the work counts as unsaved.
    m_document->change(tr("Restore the kept work"),
                       [&opened](TestData &data) { data = std::move(*opened.data); });
    return true;
}

void TeacherWindow::askToKeepWork(const std::function<void()> &then)
{
    if (m_document->undoStack()->isClean()) {
        then();
        return;
    }
    // One question at a time: what was asked for while it is open is dropped.
    if (m_question != nullptr) {
        m_question->raise();
        m_question->activateWindow();
        return;
    }
    auto *box =
        new QMessageBox(QMessageBox::Question, tr("KOVRA — teacher"),
                        tr("The test has changes that are not saved. Save them?"),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box->setDefaultButton(QMessageBox::Save);
    // In the words of the File menu.
    box->button(QMessageBox::Save)->setText(tr("&Save"));
    box->button(QMessageBox::Discard)->setText(tr("Do&n't save"));
    box->button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    m_question = box;
    connect(box, &QMessageBox::finished, this, [this, box, then] {
        // A box closed by its title bar's button has no button clicked: as "Cancel".
        const QMessageBox::StandardButton answer = box->standardButton(box->clickedButton());
        if (answer == QMessageBox::Save) {
            saveThen(then);
        } else if (answer == QMessageBox::Discard) {
            then();
        }
    });
    box->open();
}

void TeacherWindow::closeEvent(QCloseEvent *event)
{
    if (!m_mayClose && !m_document->undoStack()->isClean()) {
        // Closed again once the teacher has answered.
        event->ignore();
        askToKeepWork([this] {
            m_mayClose = true;
            close();
        });
        return;
    }
    m_mayClose = false;
    dropRecovery();
    event->accept();
}

} // namespace kovra
