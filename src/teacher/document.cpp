// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include "content/content_json.h"
#include "content/rules.h"
#include "import/import.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <map>

namespace kovra {

class SnapshotCommand : public QUndoCommand
{
public:
    SnapshotCommand(TestDocument *document, const QString &label, Test before, Test after,
                    int mergeId)
        : QUndoCommand(label), m_document(document), m_before(std::move(before)),
          m_after(std::move(after)), m_mergeId(mergeId)
    {}
    void undo() override { m_document->set(m_before); }
    void redo() override { m_document->set(m_after); }
    [[nodiscard]] int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        m_after = static_cast<const SnapshotCommand *>(other)->m_after;
        return true;
    }

private:
    TestDocument *m_document;
    Test m_before;
    Test m_after;
    int m_mergeId;
};

void setFigure(Question &question, QByteArray bytes, QByteArray suffix)
{
    Figure &figure = question.figure;
    figure = Figure{};
    figure.bytes = std::move(bytes);
    figure.suffix = suffix.isEmpty() ? QByteArrayLiteral("png") : std::move(suffix);
    Test one;
    one.questions.push_back(question);
    inspectFigures(one, FigureSource::Authored);
    figure = one.questions.front().figure;
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
    set(data);
}

void TestDocument::change(const QString &label, const std::function<void(Test &)> &edit,
                          int mergeId)
{
    Test after = m_data;
    edit(after);
    m_undo->push(new SnapshotCommand(this, label, m_data, std::move(after), mergeId));
}

void TestDocument::set(const Test &data)
{
    m_data = data;
    check();
    Q_EMIT changed();
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
    WrittenTest written = makeTestArchive(m_data);
    if (!written.archive) {
        return std::move(written.checked.problems);
    }
    Problems failed = saveFile(path, *written.archive);
    if (failed.empty()) {
        m_path = path;
        m_undo->setClean();
    }
    return failed;
}

} // namespace kovra
