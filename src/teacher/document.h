// SPDX-License-Identifier: GPL-3.0-or-later
// The test a teacher edits, every change an undoable step, and the same rules as the player's
// after each one. No widgets.
#pragma once

#include "content/figures.h"
#include "content/loader.h"
#include "teacher/commands.h"
#include "testfile/testfile.h"

#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

class QUndoStack;

namespace kovra {

// A test as it was opened: the document's data, or why it cannot be edited, and what the
// opening itself found (a bank's skipped questions, with their lines).
struct OpenedTest
{
    std::optional<Test> data;
    Problems problems;
};

// Reads a content folder, a test file or a question bank, told apart as the checker does.
[[nodiscard]] OpenedTest openTest(const QString &path);
// The data of a test's files; a content.json that is no JSON object is refused.
[[nodiscard]] OpenedTest testFromFiles(const TestFiles &files);
// A new test: three empty questions of four choices.
[[nodiscard]] Test newTest();
// content.json and its figures, as makeTestArchive takes them.
[[nodiscard]] TestFiles filesOf(const Test &test);
// A figure file's bytes, checked once.
[[nodiscard]] Figure checkedFigure(QByteArray bytes, QByteArray suffix);

class TestDocument : public QObject
{
    Q_OBJECT

public:
    explicit TestDocument(QObject *parent = nullptr);
    ~TestDocument() override;

    [[nodiscard]] const Test &data() const { return m_data; }
    [[nodiscard]] QUndoStack *undoStack() const { return m_undo; }
    // The problems of the current data, by the checker's rules.
    [[nodiscard]] const Problems &problems() const { return m_problems; }
    // The file the test was opened from or saved to, when it is a test file.
    [[nodiscard]] QString path() const { return m_path; }

    // Starts afresh with these data and no undo history.
    void reset(Test data, const QString &path);
    // The edits, each an undoable step named for its kind; an edit the rules below refuse (a
    // question or choice that is not there, the last question, a sixth choice) does nothing
    // and gives false.
    bool addQuestion(int at);       // a new question of four empty choices
    bool duplicateQuestion(int at); // after itself
    bool deleteQuestion(int at);    // never the last one
    bool moveQuestion(int from, int to);
    bool addChoice(int at);                // up to five, of single choice or several
    bool removeChoice(int at, int choice); // down to two
    bool moveChoice(int at, int choice, int to);
    bool setRightChoice(int at, int choice);
    // A question's text, a choice (`index`) or its explanation (its lines); the keystrokes of one
    // field one after the other are one step.
    bool setText(int at, QuestionText part, int index, const QStringList &text);
    // A question's kind, keeping what the other kind can keep of it (convertedTo).
    bool setKind(int at, QuestionKind kind);
    // A field of a question's kind, as `change` sets it (kind_edits.h). `field` merges one
    // field's keystrokes; -1 for a step of its own. False when nothing changes.
    bool editKind(int at, KindEdit edit, const QuestionChange &change, int field = -1);
    // A figure file's bytes, checked once; an empty figure takes it away.
    bool setFigure(int at, const QString &label, Figure figure);
    // `field` merges one field's keystrokes; -1 for a step of its own.
    void setSettings(const QString &label, const TestSettings &settings, int field = -1);
    // The whole test as one step.
    void replace(const QString &label, Test test);
    // The test with every rule checked and its figures decoded; none while it has errors.
    [[nodiscard]] LoadResult load() const;
    // Saves a test file through makeTestArchive and QSaveFile: nothing is written while the
    // test has errors. A test for marks is written as its teacher's test at `path` and its
    // pupils' copy beside it, and only once it has its keys. On success the document is clean
    // and takes the path.
    [[nodiscard]] Problems save(const QString &path);
    // Makes a test for marks' keys if it has none yet; false when they cannot be made. They
    // belong to the document from then on: no edit, undo or change of kind takes them away.
    [[nodiscard]] bool makeKeys();
    // Whether saving at `path` would put a test with no keys over the teacher's test whose keys
    // this document holds: the pupils' answers sealed to them could be opened no more.
    [[nodiscard]] bool wouldDropKeys(const QString &path) const;

Q_SIGNALS:
    // After every change, undo and redo, with the problems checked again.
    void changed();

private:
    friend class EditCommand;
    [[nodiscard]] bool holds(int at) const;
    void changedBy();
    void check();
    void holdKeys();

    Test m_data;
    ForMarks m_keys; // the keys the test has had, kept while it is for practice too
    Problems m_problems;
    QString m_path;
    QUndoStack *m_undo;
};

} // namespace kovra
