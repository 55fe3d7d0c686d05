// SPDX-License-Identifier: GPL-3.0-or-later
#include "content_json.h"

#include "cp1251.h"
#include "figures.h"
#include "kinds_json.h"
#include "marks_json.h"
#include "model/marking.h"
#include "rules.h"
#include "test_content.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace kovra {

namespace {

constexpr int kFirstFlagRow = PhraseModeRow;

// Reads content.json into a test, checking its shape (the JSON types, the fields, the key's
// text against the choices, the figures' names and files) and handing each question to the
// rules; collects the problems with their places.
class Reader
{
public:
    Reader(const FigureFiles &figures, FigureSource source, bool editing)
        : m_figures(figures), m_source(source), m_editing(editing)
    {}

    LoadResult read(const QByteArray &json);

private:
    void error(ProblemKind kind, int question, const Place &place, const QString &text = {})
    {
        add({.kind = kind, .question = question, .place = place, .text = text});
    }
    void wrongType(int question, const Place &place, ValueType expected, const QJsonValue &found)
    {
        add({.kind = ProblemKind::WrongType,
             .question = question,
             .place = place,
             .expected = expected,
             .found = typeOf(found)});
    }
    // Past the most kept, a problem is counted, not kept: a file of a million faults takes no
    // more memory than one of fifty.
    void add(Problem problem)
    {
        m_hasError = m_hasError || problem.severity == Severity::Error;
        if (m_problems.size() < kMaxProblemsKept) {
            m_problems.push_back(std::move(problem));
        } else {
            ++m_notKept;
            m_notKeptError = m_notKeptError || problem.severity == Severity::Error;
        }
    }
    LoadResult result();
    static ValueType typeOf(const QJsonValue &value);

    std::optional<QString> line(const QJsonValue &value, int question, const Place &place);
    std::optional<QStringList> lines(const QJsonObject &object, ContentField field, int question,
                                     bool required);
    void checkFields(const QJsonObject &object, std::initializer_list<const char *> known,
                     int question, const QStringList &more = {});
    void readSettings(const QJsonObject &root);
    void readQuestions(const QJsonValue &questions, std::optional<int> draw);
    void readQuestion(const QJsonValue &value, int number);
    void readKey(const QJsonObject &object, int number, Question &question, Unread &unread);
    void readChoices(const QJsonObject &object, int number, Question &question, Unread &unread);
    void readFigure(const QJsonValue &value, int number, Figure &figure);
    void keyMatchesNone(const QString &key, const QStringList &choices, int number);
    void checkFigures();
    void readResults(const QJsonValue &value);

    // A figure file waiting for its check, and the place of its problem among the others.
    struct PendingFigure
    {
        int question;
        QString name;
        QByteArray bytes;
        std::size_t problemAt;
        FigureCheck check;
    };

    const FigureFiles &m_figures;
    FigureSource m_source;
    Problems m_problems;
    qint64 m_notKept = 0;
    bool m_notKeptError = false;
    bool m_hasError = false;
    std::vector<PendingFigure> m_pendingFigures;
    bool m_object = false; // the file is a JSON object
    bool m_editing;        // the test is read whole, as far as it reads, errors or not
    bool m_copy = false;   // a pupils' copy of a test for marks: no key, no explanations
    Test m_test;
};

ValueType Reader::typeOf(const QJsonValue &value)
{
    return jsonTypeOf(value);
}

// The 1-based line and character of a byte offset into UTF-8 text.
std::pair<int, int> lineAndColumn(const QByteArray &utf8, qsizetype offset)
{
    const QByteArrayView before(utf8.constData(), std::clamp<qsizetype>(offset, 0, utf8.size()));
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const int line = static_cast<int>(before.count('\n')) + 1;
    const int column = static_cast<int>(QString::fromUtf8(before.sliced(lineStart)).size()) + 1;
    return {line, column};
}

// A text as it looks on screen: blanks folded, case and the Latin letters that Cyrillic ones
// stand in for made one.
QString lookAlikeForm(const QString &text)
{
    QString folded = cyrillicLookAlikes(text);
    folded.removeIf([](QChar ch) { return ch.isSpace(); });
    return folded.toLower();
}

std::optional<QString> Reader::line(const QJsonValue &value, int question, const Place &place)
{
    if (!value.isString()) {
        wrongType(question, place, ValueType::String, value);
        return std::nullopt;
    }
    QString text = value.toString();
    if (!checkLine(text, question, place, [this](Problem p) { add(std::move(p)); })) {
        return std::nullopt;
    }
    return text;
}

std::optional<QStringList> Reader::lines(const QJsonObject &object, ContentField field,
                                         int question, bool required)
{
    const QJsonValue value = object.value(contentName({field}));
    if (value.isUndefined()) {
        if (required) {
            error(ProblemKind::MissingField, question, {field});
            return std::nullopt;
        }
        return QStringList();
    }
    if (!value.isArray()) {
        wrongType(question, {field}, ValueType::Strings, value);
        return std::nullopt;
    }
    QStringList list;
    bool ok = true;
    const QJsonArray array = value.toArray();
    for (int i = 0; i < array.size(); ++i) {
        if (auto row = line(array.at(i), question, {field, i})) {
            list << *row;
        } else {
            ok = false;
        }
    }
    return ok ? std::optional(std::move(list)) : std::nullopt;
}

void Reader::checkFields(const QJsonObject &object, std::initializer_list<const char *> known,
                         int question, const QStringList &more)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool isKnown = more.contains(it.key()) ||
                             std::any_of(known.begin(), known.end(), [&](const char *name) {
                                 return it.key() == QLatin1String(name);
                             });
        if (!isKnown) {
            error(ProblemKind::UnknownField, question, {ContentField::Unknown, -1, it.key()});
        }
    }
}

void Reader::readFigure(const QJsonValue &value, int number, Figure &figure)
{
    const Place field{ContentField::Figure};
    if (value.isUndefined() || value.isNull()) {
        return;
    }
    if (!value.isString()) {
        wrongType(number, field, ValueType::Figure, value);
        return;
    }
    const QString name = value.toString();
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]+(/[A-Za-z0-9_-]+)*"
                                                         "\\.[A-Za-z0-9]+$"));
    if (!plain.match(name).hasMatch()) {
        QString forward = name;
        forward.replace(QLatin1Char('\\'), QLatin1Char('/'));
        error(name.contains(QLatin1Char('\\')) && plain.match(forward).hasMatch()
                  ? ProblemKind::FigureBackslash
                  : ProblemKind::FigureName,
              number, field, name);
        return;
    }
    // A file named by several questions is read once.
    const auto earlier = std::find_if(m_pendingFigures.begin(), m_pendingFigures.end(),
                                      [&name](const PendingFigure &f) { return f.name == name; });
    const std::optional<QByteArray> bytes =
        earlier != m_pendingFigures.end() ? std::optional(earlier->bytes) : m_figures(name);
    if (!bytes) {
        figure.missing = name; // the rules say so
        return;
    }
    if (bytes->size() > kMaxFigureFileBytes) {
        add({.kind = ProblemKind::FigureFileTooLarge,
             .question = number,
             .place = field,
             .text = name,
             .limit = kMaxFigureFileBytes});
        return;
    }
    figure.suffix = QFileInfo(name).suffix().toLower().toLatin1();
    m_pendingFigures.push_back({number, name, *bytes, 0, {}});
}

// Decoding the figures is most of the work of loading a test with photographs: they are
// checked on every core at once, as many as their memory allows, each file once however many
// questions name it, and their problems put where the questions left them.
void Reader::checkFigures()
{
    std::vector<PendingFigure> &pending = m_pendingFigures;
    // The first question that names each file checks it; the others take its check.
    std::vector<std::size_t> checkedBy(pending.size());
    std::vector<std::size_t> toCheck;
    QHash<QString, std::size_t> first;
    qint64 wholePixels = 0; // of the figures decoded whole, in a test file
    std::vector<bool> pastAll(pending.size());
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const auto found = first.constFind(pending[i].name);
        checkedBy[i] = found == first.cend() ? i : *found;
        if (found == first.cend()) {
            first.insert(pending[i].name, i);
            pending[i].check = inspectFigure(pending[i].bytes, m_source);
            wholePixels += pending[i].check.format ? pending[i].check.wholePixels : 0;
            pastAll[i] =
                m_source == FigureSource::TestFile && wholePixels > kMaxWholeFigurePixelsInAll;
            if (!pastAll[i]) {
                toCheck.push_back(i);
            }
        }
    }
    std::vector<FigureToDecode> decoding;
    for (const std::size_t i : toCheck) {
        decoding.push_back({&pending[i].bytes, &pending[i].check});
    }
    decodeAtAnEighth(decoding);
    // From the last, so that the places of the earlier problems stay as they were.
    for (std::size_t i = pending.size(); i-- > 0;) {
        const PendingFigure &pendingFigure = pending[i];
        const FigureCheck &check = pending[checkedBy[i]].check;
        Figure &figure =
            m_test.questions.at(static_cast<std::size_t>(pendingFigure.question - 1)).figure;
        figure.size = check.size;
        if (m_editing) { // kept with its fault, for the teacher to replace
            figure.bytes = pendingFigure.bytes;
            figure.format = check.format.value_or(QByteArray());
            figure.fault = check.format
                               ? std::nullopt
                               : std::optional(check.fault.value_or(FigureFault::NotAnImage));
        }
        if (check.format && !pastAll[checkedBy[i]]) {
            figure.bytes = pendingFigure.bytes;
            figure.format = *check.format;
            continue;
        }
        Problem problem = figureProblem(check.fault.value_or(FigureFault::NotAnImage),
                                        pendingFigure.question, pendingFigure.name, check.size);
        if (check.format) { // decodable, but past the figures decoded whole in all
            problem.kind = ProblemKind::FiguresTooLargeInAll;
            problem.limit = kMaxWholeFigurePixelsInAll;
        }
        if (pendingFigure.problemAt < m_problems.size()) {
            m_hasError = true;
            m_problems.insert(m_problems.begin() +
                                  static_cast<std::ptrdiff_t>(pendingFigure.problemAt),
                              std::move(problem));
        } else {
            add(std::move(problem));
        }
    }
    pending.clear();
}

LoadResult Reader::result()
{
    if (m_notKept > 0) {
        m_problems.push_back(
            notKept(m_notKept, m_notKeptError ? Severity::Error : Severity::Warning));
    }
    checkKinds(m_test, [this](Problem p) { add(std::move(p)); });
    limitProblems(m_problems); // the figures' problems went in among the others
    if (m_editing) {
        return {std::nullopt, std::move(m_problems),
                m_object ? std::optional(std::move(m_test)) : std::nullopt};
    }
    if (m_hasError) {
        return {std::nullopt, std::move(m_problems)};
    }
    KOVRA_Danni content = contentOf(m_test);
    return {std::move(content), std::move(m_problems), std::move(m_test)};
}

// A key that equals no choice: when it equals one but for look-alike letters, case or blanks,
// the problem names the choice and the first character where the two part.
void Reader::keyMatchesNone(const QString &key, const QStringList &choices, int number)
{
    const Place field{ContentField::Key};
    const QString form = lookAlikeForm(key);
    for (const QString &choice : choices) {
        if (lookAlikeForm(choice) != form) {
            continue;
        }
        qsizetype at = 0;
        while (at < key.size() && at < choice.size() && key.at(at) == choice.at(at)) {
            ++at;
        }
        add({.kind = ProblemKind::KeyLooksLike,
             .question = number,
             .place = field,
             .text = key,
             .other = choice,
             .count = at + 1});
        return;
    }
    error(ProblemKind::KeyMatchesNone, number, field, key);
}

// The key names the right choice by its text.
void Reader::readKey(const QJsonObject &object, int number, Question &question, Unread &unread)
{
    const QJsonValue value = object.value(QStringLiteral("key"));
    unread.right = true;
    if (value.isUndefined() && m_copy) {
        return;
    }
    if (value.isUndefined()) {
        error(ProblemKind::MissingField, number, {ContentField::Key});
        return;
    }
    const std::optional<QString> key = line(value, number, {ContentField::Key});
    const qsizetype count = question.choices.size();
    if (!key || unread.choices || count < KOVRA_Danni::kMinChoices ||
        count > KOVRA_Danni::kMaxChoices) {
        return;
    }
    question.right = static_cast<int>(question.choices.indexOf(*key));
    if (question.right < 0) {
        keyMatchesNone(*key, question.choices, number);
        return;
    }
    unread.right = false;
}

// The choices: none for a typed answer or a number, which the pupil types.
void Reader::readChoices(const QJsonObject &object, int number, Question &question, Unread &unread)
{
    const QJsonValue choices = object.value(QStringLiteral("choices"));
    unread.choices = true;
    const bool typed =
        question.kind == QuestionKind::Typed || question.kind == QuestionKind::Number;
    if (choices.isUndefined() && typed) {
        unread.choices = false;
    } else if (choices.isUndefined()) {
        error(ProblemKind::MissingField, number, {ContentField::Choices});
    } else if (!choices.isArray()) {
        wrongType(number, {ContentField::Choices}, ValueType::Strings, choices);
    } else {
        unread.choices = false;
        const QJsonArray array = choices.toArray();
        const bool counted = array.size() >= KOVRA_Danni::kMinChoices &&
                             array.size() <= mostChoicesOf(question.kind);
        for (int i = 0; i < array.size(); ++i) {
            if (counted && !array.at(i).isString()) {
                wrongType(number, {ContentField::Choices, i}, ValueType::String, array.at(i));
                unread.choices = true;
            }
            question.choices << array.at(i).toString();
        }
    }
}

// Question `number` of the test, its shape here and its content by the rules.
void Reader::readQuestion(const QJsonValue &value, int number)
{
    if (!value.isObject()) {
        wrongType(number, {}, ValueType::Object, value);
        return;
    }
    const std::size_t first = m_problems.size();
    const QJsonObject object = value.toObject();
    Question &question = m_test.questions.at(static_cast<std::size_t>(number - 1));
    Unread unread;
    const ProblemSink sink = [this](Problem p) { add(std::move(p)); };
    const std::optional<QuestionKind> kind = readKindName(object, number, sink);
    question.kind = kind.value_or(QuestionKind::Single);
    unread.right = !kind;
    checkFields(object, {"text", "choices", "figure", "explanation"}, number,
                kind ? kindFields(*kind) : QStringList{QStringLiteral("type")});

    const QJsonValue text = object.value(QStringLiteral("text"));
    unread.text = !text.isString();
    if (text.isUndefined()) {
        error(ProblemKind::MissingField, number, {ContentField::Text});
    } else if (!text.isString()) {
        wrongType(number, {ContentField::Text}, ValueType::String, text);
    }
    question.text = text.toString();

    readChoices(object, number, question, unread);
    if (!kind) {
        // a type that names no kind: what marks it cannot be read
    } else if (question.isSingle()) {
        readKey(object, number, question, unread);
    } else {
        bool keyed = true;
        readKindFields(object, number, question, m_copy, sink, keyed);
        unread.right = !keyed || m_copy;
    }

    const QJsonValue explanation = object.value(QStringLiteral("explanation"));
    unread.explanation = !explanation.isArray();
    if (explanation.isUndefined() && m_copy) {
        // none to check
    } else if (explanation.isUndefined()) {
        error(ProblemKind::MissingField, number, {ContentField::Explanation});
    } else if (!explanation.isArray()) {
        wrongType(number, {ContentField::Explanation}, ValueType::Strings, explanation);
    } else {
        const QJsonArray array = explanation.toArray();
        for (int i = 0; i < array.size(); ++i) {
            if (!array.at(i).isString()) {
                wrongType(number, {ContentField::Explanation, i}, ValueType::String, array.at(i));
                unread.explanation = true;
            }
            question.explanation << array.at(i).toString();
        }
    }
    const std::size_t figures = m_pendingFigures.size();
    readFigure(object.value(QStringLiteral("figure")), number, question.figure);
    checkQuestion(question, number, m_test.phrase, sink, unread);
    // Told in the order of the question's fields, an unknown one first.
    std::stable_sort(
        m_problems.begin() + static_cast<std::ptrdiff_t>(first), m_problems.end(),
        [](const Problem &a, const Problem &b) { return a.place.field < b.place.field; });
    if (m_pendingFigures.size() > figures) {
        m_pendingFigures.back().problemAt = m_problems.size();
    }
}

// The six settings rows: the flags by their last digit, the title, the words kept.
void Reader::readSettings(const QJsonObject &root)
{
    const QJsonValue settingRows = root.value(QStringLiteral("settings"));
    if (settingRows.isArray() && settingRows.toArray().size() != KOVRA_Danni::kSettingsRows) {
        add({.kind = ProblemKind::SettingsCount,
             .place = {ContentField::Settings},
             .count = settingRows.toArray().size(),
             .limit = KOVRA_Danni::kSettingsRows});
        return;
    }
    std::optional<QStringList> rows = lines(root, ContentField::Settings, 0, true);
    if (!rows) {
        return;
    }
    for (int row = kFirstFlagRow; row < rows->size(); ++row) {
        const QString &text = rows->at(row);
        const QChar last = text.isEmpty() ? QChar() : text.back();
        if (row != TitleRow && last != QLatin1Char('0') && last != QLatin1Char('1')) {
            add({.kind = ProblemKind::FlagNotBinary,
                 .severity = Severity::Warning,
                 .place = {ContentField::Settings, row},
                 .text = text.isEmpty() ? QString() : QString(last)});
        }
    }
    takeSettingsRows(*rows, m_test);
}

void Reader::readQuestions(const QJsonValue &questions, std::optional<int> draw)
{
    if (questions.isUndefined()) {
        error(ProblemKind::MissingField, 0, {ContentField::Questions});
        return;
    }
    if (!questions.isArray()) {
        wrongType(0, {ContentField::Questions}, ValueType::Questions, questions);
        return;
    }
    const QJsonArray array = questions.toArray();
    const int count = static_cast<int>(array.size());
    if (auto wrong = checkQuestionCount(count, draw, m_test.askAgain)) {
        add(std::move(*wrong));
        if (!m_editing || count > kMaxOpenedQuestions) {
            return;
        }
    }
    m_test.draw = draw.value_or(0);
    m_test.questions.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        readQuestion(array.at(i), i + 1);
    }
}

LoadResult Reader::read(const QByteArray &json)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(json, parseError.offset);
        add({.kind = ProblemKind::Malformed,
             .line = line,
             .column = column,
             .json = parseError.error});
        return result();
    }
    if (!document.isObject()) {
        error(ProblemKind::NotAnObject, 0, {});
        return result();
    }
    m_object = true;
    const QJsonObject root = document.object();
    checkFields(root, {"settings", "note", "questions", "draw", "results", "marks"}, 0);
    readResults(root.value(QStringLiteral("results")));
    if (const QJsonValue marks = root.value(QStringLiteral("marks")); !marks.isUndefined()) {
        if (!marks.isObject()) {
            wrongType(0, {ContentField::Marks}, ValueType::Object, marks);
        } else {
            m_test.forMarks = readMarks(
                marks, [this](Problem p) { add(std::move(p)); }, !m_editing);
            m_copy = m_test.isPupilsCopy();
        }
    }
    readSettings(root);
    if (auto note = lines(root, ContentField::Note, 0, false)) {
        m_test.note = std::move(*note);
    }
    // How many questions each run draws from a bigger bank.
    std::optional<int> draw;
    if (const QJsonValue value = root.value(QStringLiteral("draw")); !value.isUndefined()) {
        if (!value.isDouble() || value.toDouble() != std::floor(value.toDouble()) ||
            std::abs(value.toDouble()) > kMaxPoolQuestions) {
            wrongType(0, {ContentField::Draw}, ValueType::Integer, value);
        } else {
            draw = value.toInt();
        }
    }
    readQuestions(root.value(QStringLiteral("questions")), draw);
    checkFigures();
    return result();
}

void Reader::readResults(const QJsonValue &value)
{
    if (value.isUndefined()) {
        return;
    }
    if (!value.isObject()) {
        wrongType(0, {ContentField::Results}, ValueType::Object, value);
        return;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != QLatin1String("folder")) {
            error(ProblemKind::UnknownField, 0, {ContentField::Results, -1, it.key()});
        }
    }
    const QJsonValue folder = object.value(QStringLiteral("folder"));
    if (!folder.isUndefined() && !folder.isString()) {
        wrongType(0, {ContentField::ResultsFolder}, ValueType::String, folder);
        return;
    }
    m_test.collectResults = true;
    m_test.resultsFolder = folder.toString();
}

} // namespace

LoadResult loadContent(const QByteArray &json, const FigureFiles &figures, FigureSource source)
{
    return Reader(figures, source, false).read(json);
}

LoadResult readContentJsonForEditing(const QByteArray &json, const FigureFiles &figures,
                                     FigureSource source)
{
    return Reader(figures, source, true).read(json);
}

} // namespace kovra
