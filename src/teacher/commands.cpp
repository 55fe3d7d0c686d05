// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "document.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace kovra {

namespace {

QString words(const char *text)
{
    return editLabel(text);
}

QString textLabel(QuestionText part)
{
    switch (part) {
    case QuestionText::Text:
        return words("Edit the question");
    case QuestionText::Choice:
        return words("Edit a choice");
    case QuestionText::Explanation:
        break;
    }
    return words("Edit the explanation");
}

QString kindLabel(KindEdit edit)
{
    switch (edit) {
    case KindEdit::Kind:
        return words("Change the kind of the question");
    case KindEdit::Ticked:
        return words("Tick a right choice");
    case KindEdit::Weight:
        return words("Edit a choice's credit");
    case KindEdit::Spread:
        return words("Spread the credit evenly");
    case KindEdit::AllOrNothing:
        return words("All or nothing");
    case KindEdit::Answer:
        return words("Edit an accepted answer");
    case KindEdit::AddAnswer:
        return words("Add an accepted answer");
    case KindEdit::RemoveAnswer:
        return words("Remove an accepted answer");
    case KindEdit::CaseMatters:
        return words("Capital letters matter");
    case KindEdit::Unit:
        return words("Edit a unit");
    case KindEdit::AddUnit:
        return words("Add a unit");
    case KindEdit::RemoveUnit:
        return words("Remove a unit");
    case KindEdit::UnitsIgnored:
        return words("No units");
    case KindEdit::UnitFirst:
        return words("Unit before the number");
    case KindEdit::UnitPenalty:
        return words("Penalty for a missing unit");
    case KindEdit::Item:
        return words("Edit an item");
    case KindEdit::ItemAnswer:
        return words("Edit an item's answer");
    case KindEdit::AddItem:
        return words("Add an item");
    case KindEdit::RemoveItem:
        return words("Remove an item");
    case KindEdit::AddExtra:
        return words("Add an extra answer");
    case KindEdit::RemoveExtra:
        break;
    }
    return words("Remove an extra answer");
}

} // namespace

QString editLabel(const char *text)
{
    return QCoreApplication::translate("kovra::TeacherWindow", text);
}

TestSettings TestSettings::of(const Test &test)
{
    return {test.title,
            test.phrase,
            test.askAgain,
            test.explanations,
            test.reviewButtons,
            test.draw,
            test.collectResults,
            test.resultsFolder,
            test.forMarks.has_value(),
            test.forMarks ? test.forMarks->minutes : 0};
}

void TestSettings::applyTo(Test &test) const
{
    test.title = title;
    test.phrase = phrase;
    test.askAgain = askAgain;
    test.explanations = explanations;
    test.reviewButtons = reviewButtons;
    test.draw = draw;
    test.collectResults = collectResults || forMarks;
    test.resultsFolder = resultsFolder;
    if (!forMarks) {
        test.forMarks.reset();
        return;
    }
    if (!test.forMarks) {
        test.forMarks.emplace();
    }
    test.forMarks->minutes = std::clamp(minutes, 0, kMaxMinutes);
}

EditCommand::EditCommand(TestDocument *document, const QString &label)
    : QUndoCommand(label), m_document(document)
{}

Test &EditCommand::test() const
{
    return m_document->m_data;
}

Question &EditCommand::question(int at) const
{
    return m_document->m_data.questions.at(static_cast<std::size_t>(at));
}

void EditCommand::changed() const
{
    m_document->changedBy();
}

AddQuestionCommand::AddQuestionCommand(TestDocument *document, const QString &label, int at,
                                       Question question)
    : EditCommand(document, label), m_at(at), m_question(std::move(question))
{}

void AddQuestionCommand::redo()
{
    test().questions.insert(test().questions.begin() + m_at, m_question);
    changed();
}

void AddQuestionCommand::undo()
{
    test().questions.erase(test().questions.begin() + m_at);
    changed();
}

DeleteQuestionCommand::DeleteQuestionCommand(TestDocument *document, int at)
    : EditCommand(document, words("Delete the question")), m_at(at)
{}

void DeleteQuestionCommand::redo()
{
    m_question = std::move(question(m_at));
    test().questions.erase(test().questions.begin() + m_at);
    changed();
}

void DeleteQuestionCommand::undo()
{
    test().questions.insert(test().questions.begin() + m_at, m_question);
    changed();
}

MoveQuestionCommand::MoveQuestionCommand(TestDocument *document, int from, int to)
    : EditCommand(document, words("Move the question")), m_from(from), m_to(to)
{}

void MoveQuestionCommand::redo()
{
    std::swap(question(m_from), question(m_to));
    changed();
}

void MoveQuestionCommand::undo()
{
    redo();
}

AddChoiceCommand::AddChoiceCommand(TestDocument *document, int at)
    : EditCommand(document, words("Add a choice")), m_at(at)
{}

void AddChoiceCommand::redo()
{
    Question &q = question(m_at);
    q.choices.append(QString());
    if (q.kind == QuestionKind::Several) {
        q.weights.resize(std::size_t(q.choices.size()), 0.0);
    }
    changed();
}

void AddChoiceCommand::undo()
{
    Question &q = question(m_at);
    q.choices.removeLast();
    if (q.weights.size() > std::size_t(q.choices.size())) {
        q.weights.resize(std::size_t(q.choices.size()));
    }
    changed();
}

RemoveChoiceCommand::RemoveChoiceCommand(TestDocument *document, int at, int choice)
    : EditCommand(document, words("Remove a choice")), m_at(at), m_choice(choice)
{}

void RemoveChoiceCommand::redo()
{
    Question &q = question(m_at);
    m_text = q.choices.at(m_choice);
    m_right = q.right;
    m_weights = q.weights;
    m_matches = q.matches;
    if (std::size_t(m_choice) < q.weights.size()) {
        q.weights.erase(q.weights.begin() + m_choice);
    }
    q = withoutChoice(std::move(q), m_choice);
    if (q.right == m_choice) {
        q.right = -1;
    } else if (q.right > m_choice) {
        --q.right;
    }
    changed();
}

void RemoveChoiceCommand::undo()
{
    Question &q = question(m_at);
    q.choices.insert(m_choice, m_text);
    q.right = m_right;
    q.weights = m_weights;
    q.matches = m_matches;
    changed();
}

MoveChoiceCommand::MoveChoiceCommand(TestDocument *document, int at, int choice, int to)
    : EditCommand(document, words("Move a choice")), m_at(at), m_choice(choice), m_to(to)
{}

void MoveChoiceCommand::redo()
{
    Question &q = question(m_at);
    q.choices.swapItemsAt(m_choice, m_to);
    if (std::size_t(std::max(m_choice, m_to)) < q.weights.size()) {
        std::swap(q.weights[std::size_t(m_choice)], q.weights[std::size_t(m_to)]);
    }
    for (int &match : q.matches) {
        match = match == m_choice ? m_to : match == m_to ? m_choice : match;
    }
    if (q.right == m_choice) {
        q.right = m_to;
    } else if (q.right == m_to) {
        q.right = m_choice;
    }
    changed();
}

RightChoiceCommand::RightChoiceCommand(TestDocument *document, int at, int choice)
    : EditCommand(document, words("Pick the right choice")), m_at(at),
      m_before(document->data().questions.at(static_cast<std::size_t>(at)).right), m_after(choice)
{}

void RightChoiceCommand::redo()
{
    question(m_at).right = m_after;
    changed();
}

void RightChoiceCommand::undo()
{
    question(m_at).right = m_before;
    changed();
}

TextCommand::TextCommand(TestDocument *document, int at, QuestionText part, int index,
                         QStringList text)
    : EditCommand(document, textLabel(part)), m_at(at), m_part(part), m_index(index),
      m_after(std::move(text))
{
    const Question &q = document->data().questions.at(static_cast<std::size_t>(at));
    switch (part) {
    case QuestionText::Text:
        m_before = QStringList{q.text};
        break;
    case QuestionText::Choice:
        m_before = QStringList{q.choices.value(index)};
        break;
    case QuestionText::Explanation:
        m_before = q.explanation;
        break;
    }
}

void TextCommand::set(const QStringList &text) const
{
    Question &q = question(m_at);
    switch (m_part) {
    case QuestionText::Text:
        q.text = text.value(0);
        break;
    case QuestionText::Choice:
        q.choices[m_index] = text.value(0);
        break;
    case QuestionText::Explanation:
        q.explanation = text;
        break;
    }
    changed();
}

void TextCommand::redo()
{
    set(m_after);
}

void TextCommand::undo()
{
    set(m_before);
}

bool TextCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TextCommand *>(other);
    if (next->m_at != m_at || next->m_part != m_part || next->m_index != m_index) {
        return false;
    }
    m_after = next->m_after;
    return true;
}

FigureCommand::FigureCommand(TestDocument *document, const QString &label, int at, Figure figure)
    : EditCommand(document, label), m_at(at),
      m_before(document->data().questions.at(static_cast<std::size_t>(at)).figure),
      m_after(std::move(figure))
{}

void FigureCommand::redo()
{
    question(m_at).figure = m_after;
    changed();
}

void FigureCommand::undo()
{
    question(m_at).figure = m_before;
    changed();
}

SettingsCommand::SettingsCommand(TestDocument *document, const QString &label,
                                 TestSettings settings, int field)
    : EditCommand(document, label), m_before(TestSettings::of(document->data())),
      m_after(std::move(settings)), m_field(field)
{}

void SettingsCommand::redo()
{
    m_after.applyTo(test());
    changed();
}

void SettingsCommand::undo()
{
    m_before.applyTo(test());
    changed();
}

bool SettingsCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const SettingsCommand *>(other);
    if (m_field < 0 || next->m_field != m_field) {
        return false;
    }
    m_after = next->m_after;
    return true;
}

KindCommand::KindCommand(TestDocument *document, int at, KindEdit edit, QuestionChange change,
                         int field)
    : EditCommand(document, kindLabel(edit)), m_at(at), m_edit(edit), m_field(field),
      m_change(std::move(change)),
      m_before(document->data().questions.at(static_cast<std::size_t>(at))), m_after(m_before)
{
    m_change(m_after);
}

void KindCommand::redo()
{
    question(m_at) = m_after;
    changed();
}

void KindCommand::undo()
{
    question(m_at) = m_before;
    changed();
}

bool KindCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const KindCommand *>(other);
    if (m_field < 0 || next->m_at != m_at || next->m_edit != m_edit || next->m_field != m_field) {
        return false;
    }
    // The whole typing as one change of the question before it: an item's answer typed letter
    // by letter takes no answer on the way.
    m_change = next->m_change;
    m_after = m_before;
    m_change(m_after);
    if (question(m_at) != m_after) {
        question(m_at) = m_after;
        changed();
    }
    return true;
}

ReplaceCommand::ReplaceCommand(TestDocument *document, const QString &label, Test test)
    : EditCommand(document, label), m_before(document->data()), m_after(std::move(test))
{}

void ReplaceCommand::redo()
{
    test() = m_after;
    changed();
}

void ReplaceCommand::undo()
{
    test() = m_before;
    changed();
}

} // namespace kovra
