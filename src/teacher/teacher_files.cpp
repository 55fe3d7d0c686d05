// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window: opening, saving, printing and trying the test, the recent files, and
// the work kept aside.
#include "content/figures.h"
#include "results/marks_files.h"
#include "results/recorder.h"
#include "results/stake.h"
#include "resultsview/resultsview.h"
#include "teacher/document.h"
#include "teacher/fields.h"
#include "teacher/more_time_dialog.h"
#include "teacher/problem_panel.h"
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

bool TeacherWindow::openPath(const QString &path)
{
    return showOpened(path, openTest(path));
}

bool TeacherWindow::showOpened(const QString &path, OpenedTest opened)
{
    const QString name = QFileInfo(path).fileName();
    m_problems->setOpened(opened.data ? tr("When %1 was opened:").arg(name)
                                      : tr("%1 cannot be opened:").arg(name),
                          std::move(opened.problems));
    if (!opened.data) {
        fail(tr("%1 cannot be opened; the problems say why.").arg(name));
        refresh();
        return false;
    }
    const bool testFile =
        QFileInfo(path).isFile() &&
        QFileInfo(path).suffix().compare(QLatin1String(kTestFileSuffix), Qt::CaseInsensitive) == 0;
    // A pupils' copy is shown, but is not the file Save writes to: saved, it would no longer be
    // the copy the pupils were given.
    const bool copy = opened.data->isPupilsCopy();
    m_current = 0;
    m_source = QFileInfo(path).absoluteFilePath();
    dropRecovery();
    m_document->reset(std::move(*opened.data),
                      testFile && !copy ? QFileInfo(path).absoluteFilePath() : QString());
    addRecent(QFileInfo(path).absoluteFilePath());
    if (copy) {
        failPupilsCopy(name);
    }
    return true;
}

void TeacherWindow::failPupilsCopy(const QString &name)
{
    fail(tr("%1 is the pupils' copy of a test for marks: it holds no key, so it is neither tried "
            "nor saved as a test here. Open the teacher's test, which holds the key.")
             .arg(name));
}

bool TeacherWindow::saveTo(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (m_document->data().isPupilsCopy()) {
        failPupilsCopy(QFileInfo(m_source).fileName());
        return false;
    }
    if (m_document->wouldDropKeys(path)) {
        fail(tr("%1 is the teacher's test of this test for marks: saved for practice over it, "
                "the keys that open the pupils' answers would be lost. Save the test for "
                "practice under another name.")
                 .arg(shown));
        return false;
    }
    // The keys are made at the first save for marks and kept from then on.
    if (!hasErrors(m_document->problems()) && !m_document->makeKeys()) {
        fail(describe(WriteFailure{WriteFault::CannotSeal, shown, {}}));
        return false;
    }
    // A key changed over pupils' results: the teacher is told that their marks change.
    const ResultsAtStake stake = resultsAtStake(path, m_document->load());
    const Problems failed = m_document->save(path);
    if (!failed.empty()) {
        fail(hasErrors(m_document->problems())
                 ? tr("The test has problems and is not saved; mend them first.")
                 : describe(failed.front()));
        return false;
    }
    dropRecovery();
    addRecent(path);
    if (m_document->data().forMarks) {
        // Named alone, both fit the status line beside the file's path.
        tell(tr("Saved the teacher's test %1: keep it to yourself. Hand out the pupils' copy %2 "
                "beside it.")
                 .arg(QFileInfo(path).fileName(), QFileInfo(pupilsCopyPath(path)).fileName()));
    } else {
        tell(tr("Saved %1.").arg(shown));
    }
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
        fail(tr("The test has problems; mend them before printing."));
        return false;
    }
    const Problems failed = writeTestPdf(path, *loaded.test, part);
    if (!failed.empty()) {
        fail(describe(failed.front()));
        return false;
    }
    tell(tr("Wrote %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

void TeacherWindow::newTest()
{
    askToKeepWork([this] {
        m_problems->setOpened({}, {});
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
        fail(tr("The test has problems and is not saved; mend them first."));
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
    dialog->setLabelText(QFileDialog::Accept, tr("&Save"));
    const QFileInfo suggested(suggestedPath(suffix));
    dialog->setDirectory(suggested.absolutePath());
    dialog->selectFile(suggested.fileName());
    connect(dialog, &QFileDialog::fileSelected, this, then);
    dialog->open();
}

// The copies are made from the teacher's test as saved: a test with changes is saved first.
void TeacherWindow::chooseMoreTime()
{
    if (!m_document->data().forMarks) {
        return;
    }
    auto *dialog = new MoreTimeDialog(m_document->data().forMarks->minutes, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const std::vector<int> percents = dialog->percents();
        if (percents.empty()) {
            return;
        }
        if (m_document->undoStack()->isClean() && m_document->data().isTeachersTest() &&
            !m_document->path().isEmpty()) {
            writeMoreTimeCopies(percents);
        } else {
            saveThen([this, percents] { writeMoreTimeCopies(percents); });
        }
    });
    dialog->open();
}

bool TeacherWindow::writeMoreTimeCopies(const std::vector<int> &percents)
{
    const Test &test = m_document->data();
    const QString path = m_document->path();
    if (!test.isTeachersTest() || path.isEmpty() || !m_document->undoStack()->isClean()) {
        fail(tr("Save the test for marks first: the copies with more time are made from the "
                "teacher's test as it is saved."));
        return false;
    }
    if (test.forMarks->minutes == 0) {
        fail(tr("The test has no time limit: no copy can give more time."));
        return false;
    }
    // Made from the teacher's test alone, each copy is written again, whole, over the copy of
    // the same name an earlier choice wrote.
    if (const Problems failed = writePupilsCopies(test, path, percents); !failed.empty()) {
        fail(describe(failed.front()));
        return false;
    }
    QStringList names;
    for (const int percent : percents) {
        names << QFileInfo(pupilsCopyPath(path, percent)).fileName();
    }
    tell(tr("Wrote the pupils' copies with more time beside the teacher's test, in %1: %2.")
             .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()),
                  names.join(QStringLiteral(", "))));
    return true;
}

void TeacherWindow::print(PrintPart part)
{
    if (!m_document->load().content) {
        fail(tr("The test has problems; mend them before printing."));
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
            printTest(*printer, *loaded.test, part);
            tell(printer->outputFileName().isEmpty()
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

void TeacherWindow::tryTest()
{
    if (m_document->data().isPupilsCopy()) {
        failPupilsCopy(QFileInfo(m_source).fileName());
        return;
    }
    // A try is the teacher's, never a pupil's: it keeps no result. A test for marks is tried for
    // practice: its pupils' copy would ask for a pupil, keep a resume journal among the user's
    // data after the try has ended, and seal answers that nobody marks.
    Test data = m_document->data();
    data.collectResults = false;
    const bool forMarks = data.forMarks.has_value();
    data.forMarks.reset();
    const WrittenTest written = makeTestArchive(filesOf(data));
    const QString folder = written.archive ? m_tries.ensureFolder() : QString();
    if (folder.isEmpty()) {
        fail(tr("The test has problems; mend them before trying it."));
        return;
    }
    const QString file = folder + QStringLiteral("/try-%1.kovra").arg(++m_triesMade);
    if (const Problems failed = saveFile(file, *written.archive); !failed.empty()) {
        fail(describe(failed.front()));
        return;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(m_playerProgram, {file}, QString(), &pid)) {
        fail(tr("The player %1 cannot be started.").arg(QDir::toNativeSeparators(m_playerProgram)));
        return;
    }
    tell(forMarks ? tr("The test plays for practice in the player's window: with its score, "
                       "without the time limit and the handing in of the pupils' copy.")
                  : tr("The test plays in the player's window."));
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
        fail(tr("The work cannot be kept aside in %1.")
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
    m_problems->setOpened({}, {});
    m_current = 0;
    m_source = source;
    m_document->reset(kovra::newTest(), source);
    // An undoable step, so that the work counts as unsaved.
    m_document->replace(tr("Restore the kept work"), std::move(*opened.data));
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
