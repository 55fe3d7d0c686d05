// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's edits, one undo command for each kind: each does and undoes its own change of
// the document's test, and the steps of one field's typing become one.
#pragma once

#include "model/test.h"
#include "teacher/kind_edits.h"

#include <QUndoCommand>
#include <functional>

namespace kovra {

class TestDocument;

// The name of an edit, as Undo and Redo show it, in the window's words.
[[nodiscard]] QString editLabel(const char *text);

// What the test's form sets: every field of the test but its questions, and of a test for
// marks its time limit but not its keys, which are made once and never set by hand.
struct TestSettings
{
    QString title;
    bool phrase = false;
    bool askAgain = false;
    bool explanations = false;
    bool reviewButtons = false;
    int draw = 0;
    bool collectResults = false;
    QString resultsFolder;
    bool forMarks = false;
    int minutes = 0; // a test for marks' time limit; 0: none

    [[nodiscard]] static TestSettings of(const Test &test);
    // A test for marks keeps the keys it has, and keeps results, which are handed in.
    void applyTo(Test &test) const;
    bool operator==(const TestSettings &) const = default;
};

// The texts of a question a teacher types.
enum class QuestionText
{
    Text,
    Choice,
    Explanation,
};

// Commands merge when they edit one field of one question one keystroke after the other.
enum CommandId : int
{
    TextCommandId = 1,
    SettingsCommandId,
    KindCommandId,
};

class EditCommand : public QUndoCommand
{
public:
    EditCommand(TestDocument *document, const QString &label);

protected:
    [[nodiscard]] Test &test() const;
    [[nodiscard]] Question &question(int at) const;
    // After each do and undo: the rules again, and the window told.
    void changed() const;

private:
    TestDocument *m_document;
};

class AddQuestionCommand : public EditCommand
{
public:
    AddQuestionCommand(TestDocument *document, const QString &label, int at, Question question);
    void redo() override;
    void undo() override;

private:
    int m_at;
    Question m_question;
};

class DeleteQuestionCommand : public EditCommand
{
public:
    DeleteQuestionCommand(TestDocument *document, int at);
    void redo() override;
    void undo() override;

private:
    int m_at;
    Question m_question;
};

class MoveQuestionCommand : public EditCommand
{
public:
    MoveQuestionCommand(TestDocument *document, int from, int to);
    void redo() override;
    void undo() override;

private:
    int m_from;
    int m_to;
};

class AddChoiceCommand : public EditCommand
{
public:
    AddChoiceCommand(TestDocument *document, int at);
    void redo() override;
    void undo() override;

private:
    int m_at;
};

// The right choice moves with its text, and so do the credits and the items' answers, and stays
// none when its own choice goes.
class RemoveChoiceCommand : public EditCommand
{
public:
    RemoveChoiceCommand(TestDocument *document, int at, int choice);
    void redo() override;
    void undo() override;

private:
    int m_at;
    int m_choice;
    QString m_text;
    int m_right = -1;
    std::vector<double> m_weights;
    std::vector<int> m_matches;
};

class MoveChoiceCommand : public EditCommand
{
public:
    MoveChoiceCommand(TestDocument *document, int at, int choice, int to);
    void redo() override;
    void undo() override { redo(); } // a swap undoes itself

private:
    int m_at;
    int m_choice;
    int m_to;
};

class RightChoiceCommand : public EditCommand
{
public:
    RightChoiceCommand(TestDocument *document, int at, int choice);
    void redo() override;
    void undo() override;

private:
    int m_at;
    int m_before;
    int m_after;
};

class TextCommand : public EditCommand
{
public:
    TextCommand(TestDocument *document, int at, QuestionText part, int index, QStringList text);
    void redo() override;
    void undo() override;
    [[nodiscard]] int id() const override { return TextCommandId; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    void set(const QStringList &text) const;

    int m_at;
    QuestionText m_part;
    int m_index;
    QStringList m_before;
    QStringList m_after;
};

class FigureCommand : public EditCommand
{
public:
    FigureCommand(TestDocument *document, const QString &label, int at, Figure figure);
    void redo() override;
    void undo() override;

private:
    int m_at;
    Figure m_before;
    Figure m_after;
};

// `field` tells which of the form's fields it sets: the keystrokes of one become one step.
class SettingsCommand : public EditCommand
{
public:
    SettingsCommand(TestDocument *document, const QString &label, TestSettings settings, int field);
    void redo() override;
    void undo() override;
    [[nodiscard]] int id() const override { return SettingsCommandId; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    TestSettings m_before;
    TestSettings m_after;
    int m_field;
};

// How an edit changes a question: a field set to a value, the same change whatever the
// keystrokes before it made of the field.
using QuestionChange = std::function<void(Question &)>;

// A question's kind or a field of its kind: the question before, and what the change makes of
// it. `field` tells which of the form's fields it sets: the keystrokes of one become one step,
// the last one's change made of the question before the first.
class KindCommand : public EditCommand
{
public:
    KindCommand(TestDocument *document, int at, KindEdit edit, QuestionChange change, int field);
    void redo() override;
    void undo() override;
    [[nodiscard]] int id() const override { return KindCommandId; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    int m_at;
    KindEdit m_edit;
    int m_field;
    QuestionChange m_change;
    Question m_before;
    Question m_after;
};

// The whole test at once: work restored after a crash.
class ReplaceCommand : public EditCommand
{
public:
    ReplaceCommand(TestDocument *document, const QString &label, Test test);
    void redo() override;
    void undo() override;

private:
    Test m_before;
    Test m_after;
};

} // namespace kovra
