// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include "content/content_json.h"
#include "content/rules.h"
#include "import/import.h"
#include "results/marks_files.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <map>

namespace kovra {

Figure checkedFigure(QByteArray bytes, QByteArray suffix)
{
    Test one;
    one.questions.emplace_back();
    Figure &figure = one.questions.front().figure;
    figure.bytes = std::move(bytes);
    figure.suffix = suffix.isEmpty() ? QByteArrayLiteral("png") : std::move(suffix);
    inspectFigures(one, FigureSource::Authored);
    return one.questions.front().figure;
}

Test newTest()
{
    Test data;
    for (int i = 0; i < 3; ++i) {
        Question question;
        question.choices = QStringList(4, QString());
        question.right = 0;
        question.explanation = QStringList{QString()};
        data.questions.push_back(question);
    }
    data.explanations = true;
    data.reviewButtons = true;
    return data;
}

OpenedTest testFromFiles(const TestFiles &files)
{
    LoadResult read = readContentJsonForEditing(files.json, files.figures, files.source);
    if (!read.test) {
        return {std::nullopt, std::move(read.problems)};
    }
    // What the document's own check says again is not told twice: only what the file alone has.
    const Problems rules = checkTest(*read.test);
    std::erase_if(read.problems, [&rules](const Problem &problem) {
        return std::any_of(rules.begin(), rules.end(), [&problem](const Problem &rule) {
            return rule.kind == problem.kind && rule.question == problem.question &&
                   rule.place == problem.place;
        });
    });
    for (Question &question : read.test->questions) {
        if (!question.figure.isEmpty() && question.figure.suffix.isEmpty()) {
            question.figure.suffix = QByteArrayLiteral("png");
        }
    }
    return {std::move(*read.test), std::move(read.problems)};
}

OpenedTest openTest(const QString &path)
{
    TestFilesResult read;
    if (QFileInfo(path).isDir()) {
        read = readContentFolder(path);
    } else if (isBankFile(path)) {
        ImportOptions options;
        options.editing = true;
        Imported imported = importQuestionBank(path, options);
        if (!imported.test) {
            return {std::nullopt, std::move(imported.problems)};
        }
        inspectFigures(*imported.test, FigureSource::Authored);
        return {std::move(*imported.test), std::move(imported.problems)};
    } else {
        // The paper copies: what the teacher edits and saves again keeps its sharpest figures.
        read = readTestFile(path, FigureUse::Paper);
    }
    if (!read.files) {
        return {std::nullopt, std::move(read.problems)};
    }
    OpenedTest opened = testFromFiles(*read.files);
    opened.problems.insert(opened.problems.begin(), read.problems.begin(), read.problems.end());
    return opened;
}

TestFiles filesOf(const Test &test)
{
    auto figures = std::make_shared<std::map<QString, QByteArray>>();
    std::vector<QString> names(test.questions.size());
    for (std::size_t i = 0; i < test.questions.size(); ++i) {
        const Figure &figure = test.questions[i].figure;
        if (!figure.isEmpty()) {
            names[i] = figureEntry(static_cast<int>(i + 1), figure.suffix);
            figures->emplace(names[i], figure.bytes);
        }
    }
    return {contentJson(test, names), [figures](const QString &name) -> std::optional<QByteArray> {
                const auto it = figures->find(name);
                return it == figures->end() ? std::nullopt : std::optional<QByteArray>(it->second);
            }};
}

TestDocument::TestDocument(QObject *parent) : QObject(parent), m_undo(new QUndoStack(this))
{
    m_data = newTest();
    check();
}

TestDocument::~TestDocument() = default;

void TestDocument::reset(Test data, const QString &path)
{
    m_undo->clear();
    m_path = path;
    m_data = std::move(data);
    m_keys = {};
    changedBy();
}

bool TestDocument::holds(int at) const
{
    return at >= 0 && at < static_cast<int>(m_data.questions.size());
}

bool TestDocument::addQuestion(int at)
{
    if (at < 0 || at > static_cast<int>(m_data.questions.size())) {
        return false;
    }
    Question question;
    question.choices = QStringList(4, QString());
    question.right = 0;
    question.explanation = QStringList{QString()};
    m_undo->push(
        new AddQuestionCommand(this, editLabel("Add a question"), at, std::move(question)));
    return true;
}

bool TestDocument::duplicateQuestion(int at)
{
    if (!holds(at)) {
        return false;
    }
    m_undo->push(new AddQuestionCommand(this, editLabel("Duplicate the question"), at + 1,
                                        m_data.questions.at(static_cast<std::size_t>(at))));
    return true;
}

bool TestDocument::deleteQuestion(int at)
{
    if (!holds(at) || m_data.questions.size() <= 1) {
        return false;
    }
    m_undo->push(new DeleteQuestionCommand(this, at));
    return true;
}

bool TestDocument::moveQuestion(int from, int to)
{
    if (!holds(from) || !holds(to) || from == to) {
        return false;
    }
    m_undo->push(new MoveQuestionCommand(this, from, to));
    return true;
}

bool TestDocument::addChoice(int at)
{
    if (!holds(at)) {
        return false;
    }
    const Question &question = m_data.questions.at(static_cast<std::size_t>(at));
    if (question.choices.size() >= mostChoices(question.kind) ||
        question.kind == QuestionKind::Matching) {
        return false;
    }
    m_undo->push(new AddChoiceCommand(this, at));
    return true;
}

bool TestDocument::removeChoice(int at, int choice)
{
    if (!holds(at)) {
        return false;
    }
    const qsizetype count = m_data.questions.at(static_cast<std::size_t>(at)).choices.size();
    if (choice < 0 || choice >= count || count <= KOVRA_Danni::kMinChoices) {
        return false;
    }
    m_undo->push(new RemoveChoiceCommand(this, at, choice));
    return true;
}

bool TestDocument::moveChoice(int at, int choice, int to)
{
    if (!holds(at)) {
        return false;
    }
    const qsizetype count = m_data.questions.at(static_cast<std::size_t>(at)).choices.size();
    if (choice < 0 || choice >= count || to < 0 || to >= count || to == choice) {
        return false;
    }
    m_undo->push(new MoveChoiceCommand(this, at, choice, to));
    return true;
}

bool TestDocument::setRightChoice(int at, int choice)
{
    if (!holds(at) || choice < 0 ||
        choice >= m_data.questions.at(static_cast<std::size_t>(at)).choices.size() ||
        m_data.questions.at(static_cast<std::size_t>(at)).right == choice) {
        return false;
    }
    m_undo->push(new RightChoiceCommand(this, at, choice));
    return true;
}

bool TestDocument::setText(int at, QuestionText part, int index, const QStringList &text)
{
    if (!holds(at) ||
        (part == QuestionText::Choice &&
         (index < 0 ||
          index >= m_data.questions.at(static_cast<std::size_t>(at)).choices.size()))) {
        return false;
    }
    m_undo->push(new TextCommand(this, at, part, index, text));
    return true;
}

bool TestDocument::setKind(int at, QuestionKind kind)
{
    return editKind(at, KindEdit::Kind, [kind](Question &q) { q = convertedTo(q, kind); });
}

bool TestDocument::editKind(int at, KindEdit edit, const QuestionChange &change, int field)
{
    if (!holds(at)) {
        return false;
    }
    Question after = m_data.questions.at(static_cast<std::size_t>(at));
    change(after);
    if (after == m_data.questions.at(static_cast<std::size_t>(at))) {
        return false;
    }
    m_undo->push(new KindCommand(this, at, edit, change, field));
    return true;
}

bool TestDocument::setFigure(int at, const QString &label, Figure figure)
{
    if (!holds(at)) {
        return false;
    }
    m_undo->push(new FigureCommand(this, label, at, std::move(figure)));
    return true;
}

void TestDocument::setSettings(const QString &label, const TestSettings &settings, int field)
{
    m_undo->push(new SettingsCommand(this, label, settings, field));
}

void TestDocument::replace(const QString &label, Test test)
{
    m_undo->push(new ReplaceCommand(this, label, std::move(test)));
}

void TestDocument::changedBy()
{
    holdKeys();
    check();
    Q_EMIT changed();
}

// The keys are made once and kept for good: copies handed out are marked with them. A step
// whose test has none (undone to before they were made, or for practice and back) gets the
// document's.
void TestDocument::holdKeys()
{
    if (!m_data.forMarks) {
        return;
    }
    ForMarks &marks = *m_data.forMarks;
    if (!marks.publicKey.isEmpty()) {
        m_keys.publicKey = marks.publicKey;
        m_keys.secretKey = marks.secretKey;
    } else {
        marks.publicKey = m_keys.publicKey;
        marks.secretKey = m_keys.secretKey;
    }
}

bool TestDocument::makeKeys()
{
    if (!makeKeysOnce(m_data)) {
        return false;
    }
    holdKeys();
    return true;
}

bool TestDocument::wouldDropKeys(const QString &path) const
{
    if (m_data.forMarks || m_keys.secretKey.isEmpty() || !QFileInfo(path).isFile()) {
        return false;
    }
    const OpenedTest there = openTest(path);
    return there.data && there.data->isTeachersTest() &&
           there.data->forMarks->secretKey == m_keys.secretKey;
}

// The figures were checked when they were set: the text rules alone run again, at a fraction
// of a frame even for a test of photographs.
void TestDocument::check()
{
    m_problems = checkTest(m_data);
}

LoadResult TestDocument::load() const
{
    return loadTest(m_data);
}

Problems TestDocument::save(const QString &path)
{
    if (hasErrors(m_problems)) {
        return m_problems;
    }
    Problems failed;
    if (m_data.forMarks) {
        // A pupils' copy has no secret key, and a test for marks is not written before its
        // keys are made: no copy may be handed out whose answers cannot be opened.
        if (!m_data.isTeachersTest()) {
            return {Problem{.kind = ProblemKind::MarksKey,
                            .place = {ContentField::MarksSecret},
                            .limit = kSealKeyBytes}};
        }
        // The pupils' copy is made from the teacher's test alone and written again, whole, at
        // every save, over the copy of the same name an earlier save wrote.
        failed = writeTestForMarks(m_data, path, {100});
    } else {
        WrittenTest written = makeTestArchive(m_data);
        if (!written.archive) {
            return std::move(written.checked.problems);
        }
        failed = saveFile(path, *written.archive);
    }
    if (failed.empty()) {
        m_path = path;
        m_undo->setClean();
    }
    return failed;
}

} // namespace kovra
