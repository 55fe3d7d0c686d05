// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include "import/import.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <map>

namespace kovra {

namespace {

// More questions than a test can hold are opened, so that the teacher can take some out; a
// file with more than these is not a test anyone edits by hand.
constexpr qsizetype kMaxOpenedQuestions = 200;

const char *const kSettings = "settings";
const char *const kNote = "note";
const char *const kQuestions = "questions";
const char *const kDraw = "draw";
const char *const kResults = "results";

QStringList strings(const QJsonValue &value)
{
    QStringList list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &item : array) {
        list << item.toString();
    }
    return list;
}

bool flagOf(const QStringList &rows, int row)
{
    return row < rows.size() && rows.at(row).endsWith(QLatin1Char('1'));
}

QString flagRow(const TestData &data, int row, bool on)
{
    return data.settingsWords.value(row) + (on ? QLatin1Char('1') : QLatin1Char('0'));
}

// content.json of the data. With `figureNames`, the figures are named as filesOf() gives
// them; without, only a name that names no file is written, for the check to find.
QByteArray jsonOf(const TestData &data, bool figureNames)
{
    QJsonObject root = data.other;
    root.insert(QLatin1String(kSettings),
                QJsonArray{data.settingsWords.value(HeaderRow),
                           flagRow(data, PhraseModeRow, data.phrase),
                           flagRow(data, TotoRow, data.toto), data.title,
                           flagRow(data, DescriptionRow, data.explanations),
                           flagRow(data, ExplanationsRow, data.reviewButtons)});
    if (!data.note.isEmpty()) {
        root.insert(QLatin1String(kNote), QJsonArray::fromStringList(data.note));
    }
    // Written only when set: every question plays otherwise.
    if (data.draw > 0) {
        root.insert(QLatin1String(kDraw), data.draw);
    }
    if (data.collectResults) {
        root.insert(QLatin1String(kResults),
                    QJsonObject{{QStringLiteral("folder"), data.resultsFolder}});
    }
    QJsonArray questions;
    int number = 0;
    for (const TeacherQuestion &question : data.questions) {
        ++number;
        QJsonObject object{
            {QStringLiteral("text"), question.text},
            {QStringLiteral("choices"), QJsonArray::fromStringList(question.choices)},
            {QStringLiteral("key"), question.choices.value(question.key)},
            {QStringLiteral("explanation"), QJsonArray::fromStringList(question.explanation)},
        };
        if (!question.figure.isEmpty() && figureNames) {
            object.insert(QStringLiteral("figure"), figureEntry(number, question.figureSuffix));
        } else if (question.figure.isEmpty() && !question.figureName.isEmpty()) {
            object.insert(QStringLiteral("figure"), question.figureName);
        }
        questions.append(object);
    }
    root.insert(QLatin1String(kQuestions), questions);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace

QString figureEntry(int number, const QByteArray &suffix)
{
    return QStringLiteral("figures/q%1.%2")
        .arg(number, 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(suffix));
}

class SnapshotCommand : public QUndoCommand
{
public:
    SnapshotCommand(TestDocument *document, const QString &label, TestData before, TestData after,
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
    TestData m_before;
    TestData m_after;
    int m_mergeId;
};

QStringList defaultSettingsWords()
{
    return {QStringLiteral("Настройки - последната цифра"),
            QStringLiteral("ЧЕО - фраза от 2 части - "),
            QStringLiteral("Проверка за Тото - "),
            QString(),
            QStringLiteral("Дава описание - "),
            QStringLiteral("Дава обяснения - ")};
}

// A figure's check as the loader makes it, taken into its question.
void takeCheck(TeacherQuestion &question, const FigureCheck &check)
{
    question.figureFault =
        check.format ? std::nullopt : std::optional(check.fault.value_or(FigureFault::NotAnImage));
    question.figureSize = check.size;
    if (!check.format && !check.fault) {
        question.figureFault = FigureFault::NotAnImage;
    }
}

void setFigure(TeacherQuestion &question, QByteArray bytes, QByteArray suffix)
{
    FigureCheck check = inspectFigure(bytes, FigureSource::Authored);
    decodeAtAnEighth({{&bytes, &check}});
    takeCheck(question, check);
    question.figure = std::move(bytes);
    question.figureSuffix = suffix.isEmpty() ? QByteArrayLiteral("png") : std::move(suffix);
    question.figureName.clear();
}

TestData newTest()
{
    TestData data;
    for (int i = 0; i < 3; ++i) {
        TeacherQuestion question;
        question.choices = QStringList(4, QString());
        question.key = 0;
        question.explanation = QStringList{QString()};
        data.questions.push_back(question);
    }
    data.explanations = true;
    data.reviewButtons = true;
    return data;
}

OpenedTest testFromFiles(const TestFiles &files)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(files.json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        // The loader words what is wrong, with its place.
        return {std::nullopt, loadContent(files.json, [](const QString &) {
                                  return std::optional<QByteArray>();
                              }).problems};
    }
    QJsonObject root = document.object();
    const QJsonArray questions = root.value(QLatin1String(kQuestions)).toArray();
    if (questions.size() > kMaxOpenedQuestions) {
        return {std::nullopt,
                {Problem{.kind = ProblemKind::QuestionCount,
                         .field = QLatin1String(kQuestions),
                         .count = questions.size(),
                         .least = 1,
                         .limit = kMaxOpenedQuestions}}};
    }
    TestData data;
    const QStringList settings = strings(root.value(QLatin1String(kSettings)));
    data.phrase = flagOf(settings, PhraseModeRow);
    data.toto = flagOf(settings, TotoRow);
    data.title = settings.value(TitleRow);
    data.explanations = flagOf(settings, DescriptionRow);
    data.reviewButtons = flagOf(settings, ExplanationsRow);
    if (settings.size() == KOVRA_Danni::kSettingsRows) {
        data.settingsWords = settings;
        for (const int row : {PhraseModeRow, TotoRow, DescriptionRow, ExplanationsRow}) {
            QString &words = data.settingsWords[row];
            if (words.endsWith(QLatin1Char('0')) || words.endsWith(QLatin1Char('1'))) {
                words.chop(1);
            }
        }
        data.settingsWords[TitleRow].clear();
    }
    data.note = strings(root.value(QLatin1String(kNote)));
    data.draw = std::max(0, root.value(QLatin1String(kDraw)).toInt());
    const QJsonValue results = root.value(QLatin1String(kResults));
    data.collectResults = results.isObject();
    data.resultsFolder = results.toObject().value(QStringLiteral("folder")).toString();
    for (const char *name : {kSettings, kNote, kQuestions, kDraw, kResults}) {
        root.remove(QLatin1String(name));
    }
    data.other = root;
    std::vector<std::size_t> withFigures;
    for (const QJsonValue &value : questions) {
        const QJsonObject object = value.toObject();
        TeacherQuestion question;
        question.text = object.value(QStringLiteral("text")).toString();
        question.choices = strings(object.value(QStringLiteral("choices")));
        question.key = static_cast<int>(
            question.choices.indexOf(object.value(QStringLiteral("key")).toString()));
        question.explanation = strings(object.value(QStringLiteral("explanation")));
        const QString figure = object.value(QStringLiteral("figure")).toString();
        if (!figure.isEmpty()) {
            if (std::optional<QByteArray> bytes = files.figures(figure)) {
                question.figure = std::move(*bytes);
                question.figureSuffix = QFileInfo(figure).suffix().toLower().toLatin1();
                withFigures.push_back(data.questions.size());
            } else {
                question.figureName = figure;
            }
        }
        data.questions.push_back(std::move(question));
    }
    // Checked as the loader checks them: on every core at once, within the memory the
    // figures decoded together may take.
    std::vector<FigureCheck> checks;
    checks.reserve(withFigures.size());
    std::vector<FigureToDecode> decoding;
    for (const std::size_t at : withFigures) {
        const QByteArray &bytes = data.questions.at(at).figure;
        checks.push_back(inspectFigure(bytes, FigureSource::Authored));
        decoding.push_back({&bytes, &checks.back()});
    }
    decodeAtAnEighth(decoding);
    for (std::size_t i = 0; i < withFigures.size(); ++i) {
        TeacherQuestion &question = data.questions.at(withFigures[i]);
        takeCheck(question, checks[i]);
        if (question.figureSuffix.isEmpty()) {
            question.figureSuffix = QByteArrayLiteral("png");
        }
        question.figureName.clear();
    }
    return {std::move(data), {}};
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
        if (imported.json) {
            read.files = TestFiles{*imported.json, imported.figures};
        }
        read.problems = std::move(imported.problems);
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

TestFiles filesOf(const TestData &data)
{
    auto figures = std::make_shared<std::map<QString, QByteArray>>();
    int number = 0;
    for (const TeacherQuestion &question : data.questions) {
        ++number;
        if (!question.figure.isEmpty()) {
            figures->emplace(figureEntry(number, question.figureSuffix), question.figure);
        }
    }
    return {jsonOf(data, true), [figures](const QString &name) -> std::optional<QByteArray> {
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

void TestDocument::reset(TestData data, const QString &path)
{
    m_undo->clear();
    m_path = path;
    set(data);
}

void TestDocument::change(const QString &label, const std::function<void(TestData &)> &edit,
                          int mergeId)
{
    TestData after = m_data;
    edit(after);
    m_undo->push(new SnapshotCommand(this, label, m_data, std::move(after), mergeId));
}

void TestDocument::set(const TestData &data)
{
    m_data = data;
    check();
    Q_EMIT changed();
}

// The figures were checked when they were set: the text rules alone run again, at a fraction
// of a frame even for a test of photographs.
void TestDocument::check()
{
    m_problems = loadContent(jsonOf(m_data, false), [](const QString &) {
                     return std::optional<QByteArray>();
                 }).problems;
    int number = 0;
    for (const TeacherQuestion &question : m_data.questions) {
        ++number;
        if (question.key < 0 || question.key >= question.choices.size()) {
            // No key is written for it: what the loader says of an empty key is replaced by
            // what the teacher does about it.
            std::erase_if(m_problems, [number](const Problem &p) {
                return p.question == number && p.field == QLatin1String("key");
            });
            m_problems.push_back(Problem{.kind = ProblemKind::NoRightChoice,
                                         .question = number,
                                         .field = QStringLiteral("key")});
        }
        if (question.figure.isEmpty() || !question.figureFault) {
            continue;
        }
        // Worded as the loader words them.
        m_problems.push_back(figureProblem(*question.figureFault, number,
                                           figureEntry(number, question.figureSuffix),
                                           question.figureSize));
    }
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const Problem &a, const Problem &b) { return a.question < b.question; });
}

LoadResult TestDocument::load() const
{
    const TestFiles files = filesOf(m_data);
    return loadContent(files.json, files.figures);
}

Problems TestDocument::save(const QString &path)
{
    if (hasErrors(m_problems)) {
        return m_problems;
    }
    WrittenTest written = makeTestArchive(filesOf(m_data));
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
