// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window: the form of the test and of the chosen question, and its figure.
#include "content/figures.h"
#include "results/stake.h"
#include "resultsview/resultsview.h"
#include "teacher/document.h"
#include "teacher/fields.h"
#include "teacher/window_parts.h"
#include "teacher_window.h"
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
            tr("Edit the title"), [&text](Test &data) { data.title = text; },
            mergeId(TitleField, 0));
    });
    const auto flag = [&](const QString &text, bool Test::*member) {
        auto *box = new QCheckBox(text, testBox);
        box->setAccessibleName(text);
        testForm->addRow(box);
        connect(box, &QCheckBox::toggled, this, [this, member, text](bool on) {
            if (!m_refreshing) {
                m_document->change(text, [member, on](Test &data) { data.*member = on; });
            }
        });
        return box;
    };
    m_phrase = flag(tr("Phrase mode: the chosen answer is put into the blank (_) of the question"),
                    &Test::phrase);
    m_toto = flag(tr("Check: the first question is asked again later, and both answers compared"),
                  &Test::askAgain);
    m_explanations = flag(tr("Show the explanations in the review"), &Test::explanations);
    m_reviewButtons = flag(tr("Review buttons: step through every question after the evaluation"),
                           &Test::reviewButtons);
    m_draw = new QSpinBox(testBox);
    m_draw->setRange(0, KOVRA_Danni::kFigureSlots - 1);
    m_draw->setSpecialValueText(tr("all"));
    m_draw->setAccessibleName(tr("Questions for each pupil"));
    testForm->addRow(tr("&Questions for each pupil:"), m_draw);
    connect(m_draw, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_refreshing) {
            m_document->change(
                tr("Questions for each pupil"), [value](Test &data) { data.draw = value; },
                mergeId(DrawField, 0));
        }
    });
    m_collect = flag(tr("Collect the pupils' results"), &Test::collectResults);
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
            tr("Folder of the results"), [&folder](Test &data) { data.resultsFolder = folder; },
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
                     [&text](Question &question) { question.text = text; });
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
                             [c](Question &question) { question.right = c; });
            }
        });
        connect(row.edit, &QLineEdit::textEdited, this, [this, c](const QString &text) {
            editQuestion(tr("Edit a choice"), FirstChoiceField + c,
                         [c, &text](Question &question) { question.choices[c] = text; });
        });
        connect(row.up, &QToolButton::clicked, this, [this, c] { moveChoice(c, -1); });
        connect(row.down, &QToolButton::clicked, this, [this, c] { moveChoice(c, 1); });
        connect(row.remove, &QToolButton::clicked, this, [this, c] {
            editQuestion(tr("Remove a choice"), -1, [c](Question &question) {
                question.choices.removeAt(c);
                if (question.right == c) {
                    question.right = -1;
                } else if (question.right > c) {
                    --question.right;
                }
            });
        });
    }
    m_addChoice = new QPushButton(tr("Add a choice"), choices);
    m_addChoice->setAccessibleName(tr("Add a choice"));
    choiceLayout->addWidget(m_addChoice, 0, Qt::AlignLeft);
    connect(m_addChoice, &QPushButton::clicked, this, [this] {
        editQuestion(tr("Add a choice"), -1,
                     [](Question &question) { question.choices.append(QString()); });
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
        editQuestion(tr("Remove the figure"), -1,
                     [](Question &question) { question.figure = Figure{}; });
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
                     [&lines](Question &question) { question.explanation = lines; });
    });
    layout->addWidget(questionBox);
    layout->addStretch();
    scroll->setWidget(page);
    return scroll;
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
    editQuestion(tr("Set the figure"), -1,
                 [&bytes, &suffix](Question &question) { setFigure(question, bytes, suffix); });
    return true;
}

void TeacherWindow::setFigureImage(const QImage &image)
{
    // Kept as it is: saving fits it as every figure.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    editQuestion(tr("Paste a figure"), -1, [&bytes](Question &question) {
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

} // namespace kovra
