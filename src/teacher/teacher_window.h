// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window: opens a test or a question bank, edits it with undo, shows the problems
// the player's rules find as the teacher types, tries it in the player, prints it and saves it.
#pragma once

#include "content/problems.h"
#include "print/print.h"
#include "teacher/recovery.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMessageBox;
class QTimer;
class QWidget;

namespace kovra {

class ProblemPanel;
class QuestionEditor;
class QuestionList;
class TestDocument;
class TestForm;
struct OpenedTest;

class TeacherWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit TeacherWindow(QWidget *parent = nullptr);
    ~TeacherWindow() override;

    [[nodiscard]] TestDocument *document() const { return m_document; }
    [[nodiscard]] int currentQuestion() const { return m_current; }
    // The player "Try" starts; by default the `kovra` program beside this one.
    void setPlayerProgram(const QString &program) { m_playerProgram = program; }

    // A folder, a test file or a question bank; false, with the reasons in the problem panel.
    bool openPath(const QString &path);
    // A test openTest() has read, from that path.
    bool showOpened(const QString &path, OpenedTest opened);
    // Saves a test file; false while the test has errors or when it cannot be written. A test
    // for marks gets its keys the first time, and its pupils' copy beside it.
    bool saveTo(const QString &path);
    // The pupils' copies of the saved test for marks with more time (kMoreTimePercents), beside
    // its teacher's test; false when the test is not saved for marks or a copy fails.
    bool writeMoreTimeCopies(const std::vector<int> &percents);
    // Writes the test or its key as a PDF; false when the test has errors or the file fails.
    bool exportPdf(const QString &path, PrintPart part);
    // Takes the work kept aside after a crash (a folder) as unsaved changes of the file it was
    // opened from. The folder stays until the work is saved or given up.
    bool restoreFrom(const QString &recoveryFile);
    // The folders of work kept aside by windows that did not close, newest first.
    [[nodiscard]] static QStringList recoveryFiles();
    // What a save of the test suggests: the file it was opened from, else one named after its
    // title, with this suffix.
    [[nodiscard]] QString suggestedPath(const QString &suffix) const;

public Q_SLOTS:
    void selectQuestion(int index);
    // Plays the test in the player from a temporary file, as pupils will get it.
    void tryTest();
    // The image on the clipboard becomes the figure of the chosen question.
    void pasteFigure();
    // A figure file becomes the figure of the chosen question.
    bool setFigureFile(const QString &path);

Q_SIGNALS:
    void playerStarted(qint64 pid, const QString &file);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private Q_SLOTS:
    void newTest();
    void open();
    void openFolder();
    bool save();
    void saveAs();
    void chooseMoreTime();
    void print(PrintPart part);
    void choosePdf(PrintPart part);
    void showProblem(std::size_t index);
    void refresh();
    void showResults();

private:
    void buildMenus();
    QWidget *buildEditor();
    [[nodiscard]] bool untouchedNewTest() const;
    void refreshRecent();
    void addRecent(const QString &path);
    void writeRecovery();
    void dropRecovery();
    void keepSoon();
    // Saves, asking for a name when the test has none (or `askName`), then does `then`.
    void saveThen(const std::function<void()> &then, bool askName = false);
    // The save dialog, which adds the suffix before it asks about a file it would replace.
    void chooseFile(const QString &title, const QString &filter, const QString &suffix,
                    const std::function<void(const QString &)> &then);
    // Asks, without waiting for the answer, whether to save the changes first; `then` follows
    // a save that succeeded or changes given up, nothing follows "Cancel".
    void askToKeepWork(const std::function<void()> &then);
    // What was done, in the status line until the next; what failed, over the problems until
    // the teacher closes it.
    void tell(const QString &message);
    void fail(const QString &message);
    // What the teacher is told of a pupils' copy, which holds no key.
    void failPupilsCopy(const QString &name);

    TestDocument *m_document;
    int m_current = 0;
    QString m_playerProgram;
    QString m_source; // the file or folder the test was opened from; empty for a new test
    RecoveryStore m_tries{QStringLiteral("try")};
    int m_triesMade = 0;
    RecoveryStore m_recovery;
    QTimer *m_recoveryTimer;
    QElapsedTimer m_unkeptSince;      // the first change not yet kept aside
    bool m_fitted = false;            // the window has been fitted to its screen
    QPointer<QMessageBox> m_question; // the question about unsaved changes, while it is asked
    bool m_mayClose = false;          // the teacher has answered it on closing

    QuestionList *m_list;
    TestForm *m_form;
    QuestionEditor *m_editor;
    ProblemPanel *m_problems;
    QLabel *m_fileLabel;
    QMenu *m_recentMenu;
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_moreTime;
};

} // namespace kovra
