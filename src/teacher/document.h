// SPDX-License-Identifier: GPL-3.0-or-later
// The test a teacher edits: its title, settings and questions as plain values, every change an
// undoable step, and the same checks as the player's after each one. No widgets.
#pragma once

#include "content/figures.h"
#include "content/loader.h"
#include "testfile/testfile.h"

#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QUndoStack;

namespace kovra {

struct TeacherQuestion
{
    QString text;
    QStringList choices;
    int key = -1; // the right choice's index; -1 when none is picked
    QStringList explanation;
    QByteArray figure;       // the figure file's bytes; empty: none
    QByteArray figureSuffix; // its format's ending, "jpg" or "png"
    QString figureName;      // a name the test gives that names no file (kept for the check)
    std::optional<FigureFault> figureFault; // the figure's check, made once when it is set
    QSize figureSize;                       // as its header gives it

    bool operator==(const TeacherQuestion &) const = default;
};

[[nodiscard]] QStringList defaultSettingsWords();

struct TestData
{
    QString title;
    bool phrase = false;         // the chosen answer is put into the blank of the question
    bool toto = false;           // the first question is asked again at another place
    bool explanations = false;   // the explanations are shown in the review
    bool reviewButtons = false;  // buttons step through every question after the evaluation
    int draw = 0;                // questions a run draws; 0: every question
    bool collectResults = false; // the pupils' results are kept
    QString resultsFolder;       // where; empty: the test file's own folder
    // The words of the settings rows as the test has them, the digit of a flag row left off:
    // kept, so that a test opened and saved again says the same.
    QStringList settingsWords = defaultSettingsWords();
    QStringList note;
    QJsonObject other; // top-level fields this editor does not edit, written back as they were
    std::vector<TeacherQuestion> questions;

    bool operator==(const TestData &) const = default;
};

// A test as it was opened: the document's data, or why it cannot be edited, and what the
// opening itself found (a bank's skipped questions, with their lines).
struct OpenedTest
{
    std::optional<TestData> data;
    Problems problems;
};

// Reads a content folder, a test file or a question bank, told apart as the checker does.
[[nodiscard]] OpenedTest openTest(const QString &path);
// The data of a test's files; a content.json that is no JSON object is refused.
[[nodiscard]] OpenedTest testFromFiles(const TestFiles &files);
// A new test: three empty questions of four choices.
[[nodiscard]] TestData newTest();
// content.json and its figures, as makeTestArchive takes them.
[[nodiscard]] TestFiles filesOf(const TestData &data);
// The name a question's figure has in a test file and in the work kept aside.
[[nodiscard]] QString figureEntry(int number, const QByteArray &suffix);
// A figure file's bytes, checked once.
void setFigure(TeacherQuestion &question, QByteArray bytes, QByteArray suffix);

class TestDocument : public QObject
{
    Q_OBJECT

public:
    explicit TestDocument(QObject *parent = nullptr);
    ~TestDocument() override;

    [[nodiscard]] const TestData &data() const { return m_data; }
    [[nodiscard]] QUndoStack *undoStack() const { return m_undo; }
    // The problems of the current data, by the checker's rules.
    [[nodiscard]] const Problems &problems() const { return m_problems; }
    // The file the test was opened from or saved to, when it is a test file.
    [[nodiscard]] QString path() const { return m_path; }

    // Starts afresh with these data and no undo history.
    void reset(TestData data, const QString &path);
    // An undoable step named `label`. Consecutive steps with the same merge id (>= 0) become
    // one, as the keystrokes of one field do.
    void change(const QString &label, const std::function<void(TestData &)> &edit,
                int mergeId = -1);
    // The test with every rule checked and its figures decoded; none while it has errors.
    [[nodiscard]] LoadResult load() const;
    // Saves a test file through makeTestArchive and QSaveFile: nothing is written while the
    // test has errors. On success the document is clean and takes the path.
    [[nodiscard]] Problems save(const QString &path);

Q_SIGNALS:
    // After every change, undo and redo, with the problems checked again.
    void changed();

private:
    friend class SnapshotCommand;
    void set(const TestData &data);
    void check();

    TestData m_data;
    Problems m_problems;
    QString m_path;
    QUndoStack *m_undo;
};

} // namespace kovra
