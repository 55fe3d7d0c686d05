// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader.h"

#include "cp1251.h"
#include "figures.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kovra {

namespace {

constexpr int kFirstFlagRow = PhraseModeRow;

// Loading state for one content file: collects problems with their places.
class Reader
{
public:
    Reader(const FigureFiles &figures, FigureSource source) : m_figures(figures), m_source(source)
    {}

    LoadResult read(const QByteArray &json);

private:
    void error(ProblemKind kind, int question, const QString &field, const QString &text = {})
    {
        add({.kind = kind, .question = question, .field = field, .text = text});
    }
    void error(Problem problem) { add(std::move(problem)); }
    void warning(ProblemKind kind, int question, const QString &field, const QString &text,
                 const QString &other = {})
    {
        add({.kind = kind,
             .severity = Severity::Warning,
             .question = question,
             .field = field,
             .text = text,
             .other = other});
    }
    void wrongType(int question, const QString &field, ValueType expected, const QJsonValue &found)
    {
        add({.kind = ProblemKind::WrongType,
             .question = question,
             .field = field,
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
    LoadResult result(std::optional<KOVRA_Danni> content,
                      std::optional<QString> resultsFolder = std::nullopt);
    static ValueType typeOf(const QJsonValue &value);

    std::optional<QByteArray> line(const QJsonValue &value, int question, const QString &field);
    std::optional<TextList> lines(const QJsonObject &object, const QString &name, int question,
                                  bool required);
    void checkFields(const QJsonObject &object, std::initializer_list<const char *> known,
                     int question);
    void readQuestion(const QJsonValue &value, int number, KOVRA_Danni &content, int slot);
    void readPool(const QJsonArray &array);
    void readFigure(const QJsonValue &value, int number);
    void checkLookAlikes(const TextList &question, int number);
    void keyMatchesNone(const QString &key, const TextList &choices, int number);
    void checkFigures(KOVRA_Danni &content);
    std::optional<QString> readResults(const QJsonValue &value);

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
    bool m_phraseMode = false;
    std::optional<QuestionPool> m_pool; // a test that draws its questions
};

ValueType Reader::typeOf(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return ValueType::Null;
    case QJsonValue::Bool:
        return ValueType::Boolean;
    case QJsonValue::Double:
        return ValueType::Number;
    case QJsonValue::String:
        return ValueType::String;
    case QJsonValue::Array:
        return ValueType::Array;
    case QJsonValue::Object:
        return ValueType::Object;
    case QJsonValue::Undefined:
        break;
    }
    return ValueType::Missing;
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
    static const QString latin = QStringLiteral("aceopxyABCEHKMOPTX");
    static const QString cyrillic = QStringLiteral("асеорхуАВСЕНКМОРТХ");
    QString folded;
    folded.reserve(text.size());
    for (QChar ch : text) {
        if (ch.isSpace()) {
            continue;
        }
        const auto at = latin.indexOf(ch);
        folded += (at >= 0 ? cyrillic.at(at) : ch).toLower();
    }
    return folded;
}

QString indexed(const QString &name, int index)
{
    return QStringLiteral("%1[%2]").arg(name).arg(index);
}

QByteArray cp1251Literal(const QString &text)
{
    return toCp1251(text).value_or(QByteArray());
}

std::optional<QByteArray> Reader::line(const QJsonValue &value, int question, const QString &field)
{
    if (!value.isString()) {
        wrongType(question, field, ValueType::String, value);
        return std::nullopt;
    }
    const QString text = value.toString();
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        error(ProblemKind::LineBreak, question, field);
        return std::nullopt;
    }
    // A control character (a terminal's escape, say) is shown by no widget.
    for (const QChar ch : text) {
        if (ch.category() == QChar::Other_Control && ch != QLatin1Char('\t')) {
            error(ProblemKind::ControlCharacter, question, field, QString(ch));
            return std::nullopt;
        }
    }
    if (const auto bad = firstUnencodable(text)) {
        // A character outside the Basic Multilingual Plane is named whole, both its halves.
        const qsizetype at = text.indexOf(*bad);
        error(ProblemKind::NotWindows1251, question, field,
              text.mid(at, bad->isHighSurrogate() && at + 1 < text.size() ? 2 : 1));
        return std::nullopt;
    }
    return toCp1251(text);
}

std::optional<TextList> Reader::lines(const QJsonObject &object, const QString &name, int question,
                                      bool required)
{
    const QJsonValue value = object.value(name);
    if (value.isUndefined()) {
        if (required) {
            error(ProblemKind::MissingField, question, name);
            return std::nullopt;
        }
        return TextList();
    }
    if (!value.isArray()) {
        wrongType(question, name, ValueType::Strings, value);
        return std::nullopt;
    }
    TextList list;
    bool ok = true;
    const QJsonArray array = value.toArray();
    for (int i = 0; i < array.size(); ++i) {
        if (auto row = line(array.at(i), question, indexed(name, i))) {
            list.addItem(std::move(*row));
        } else {
            ok = false;
        }
    }
    return ok ? std::optional<TextList>(std::move(list)) : std::nullopt;
}

void Reader::checkFields(const QJsonObject &object, std::initializer_list<const char *> known,
                         int question)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool isKnown = std::any_of(known.begin(), known.end(), [&](const char *name) {
            return it.key() == QLatin1String(name);
        });
        if (!isKnown) {
            error(ProblemKind::UnknownField, question, it.key());
        }
    }
}

void Reader::readFigure(const QJsonValue &value, int number)
{
    const QString field = QStringLiteral("figure");
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
        error(ProblemKind::FigureMissing, number, field, name);
        return;
    }
    if (bytes->size() > kMaxFigureFileBytes) {
        error({.kind = ProblemKind::FigureFileTooLarge,
               .question = number,
               .field = field,
               .text = name,
               .limit = kMaxFigureFileBytes});
        return;
    }
    m_pendingFigures.push_back({number, name, *bytes, m_problems.size(), {}});
}

// Decoding the figures is most of the work of loading a test with photographs: they are
// checked on every core at once, as many as their memory allows, each file once however many
// questions name it, and their problems put where the questions left them.
void Reader::checkFigures(KOVRA_Danni &content)
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
    const QString field = QStringLiteral("figure");
    for (std::size_t i = pending.size(); i-- > 0;) {
        const PendingFigure &figure = pending[i];
        const FigureCheck &check = pending[checkedBy[i]].check;
        if (check.format && !pastAll[checkedBy[i]]) {
            if (m_pool) {
                PooledQuestion &question =
                    m_pool->questions.at(static_cast<std::size_t>(figure.question - 1));
                question.figure = figure.bytes;
                question.figureFormat = *check.format;
            } else {
                content.setPicture1File(figure.question, figure.bytes, *check.format);
            }
            continue;
        }
        Problem problem = figureProblem(check.fault.value_or(FigureFault::NotAnImage),
                                        figure.question, figure.name, check.size);
        if (check.format) { // decodable, but past the figures decoded whole in all
            problem.kind = ProblemKind::FiguresTooLargeInAll;
            problem.limit = kMaxWholeFigurePixelsInAll;
        }
        if (figure.problemAt < m_problems.size()) {
            m_hasError = true;
            m_problems.insert(m_problems.begin() + static_cast<std::ptrdiff_t>(figure.problemAt),
                              std::move(problem));
        } else {
            add(std::move(problem));
        }
    }
    pending.clear();
}

LoadResult Reader::result(std::optional<KOVRA_Danni> content, std::optional<QString> resultsFolder)
{
    if (m_notKept > 0) {
        m_problems.push_back(
            notKept(m_notKept, m_notKeptError ? Severity::Error : Severity::Warning));
    }
    limitProblems(m_problems); // the figures' problems went in among the others
    if (m_hasError) {
        return {std::nullopt, std::move(m_problems)};
    }
    return {std::move(content), std::move(m_problems), std::move(resultsFolder), std::move(m_pool)};
}

// Latin letters that Cyrillic ones stand in for on screen, and the other way round.
QString screenForm(const QByteArray &cp1251Text)
{
    static const QString latin = QStringLiteral("aceopxyABCEHKMOPTX");
    static const QString cyrillic = QStringLiteral("асеорхуАВСЕНКМОРТХ");
    QString text = fromCp1251(cp1251Text).simplified();
    for (QChar &ch : text) {
        const auto at = latin.indexOf(ch);
        if (at >= 0) {
            ch = cyrillic.at(at);
        }
    }
    return text;
}

// Each choice's screen form is looked up among the earlier ones': linear in the choices.
void Reader::checkLookAlikes(const TextList &question, int number)
{
    QHash<QString, int> seen; // screen form, the first choice with it
    for (int i = 1; i < question.listCount(); ++i) {
        const QString form = screenForm(question.list(i));
        const auto earlier = seen.constFind(form);
        if (earlier == seen.cend()) {
            seen.insert(form, i);
        } else if (question.list(*earlier) != question.list(i)) {
            warning(ProblemKind::LookAlike, number, QStringLiteral("choices"),
                    fromCp1251(question.list(*earlier)), fromCp1251(question.list(i)));
        }
    }
}

// A key that equals no choice: when it equals one but for look-alike letters, case or blanks,
// the problem names the choice and the first character where the two part.
void Reader::keyMatchesNone(const QString &key, const TextList &choices, int number)
{
    const QString field = QStringLiteral("key");
    const QString form = lookAlikeForm(key);
    for (const QByteArray &row : choices.rows()) {
        const QString choice = fromCp1251(row);
        if (lookAlikeForm(choice) != form) {
            continue;
        }
        qsizetype at = 0;
        while (at < key.size() && at < choice.size() && key.at(at) == choice.at(at)) {
            ++at;
        }
        error({.kind = ProblemKind::KeyLooksLike,
               .question = number,
               .field = field,
               .text = key,
               .other = choice,
               .count = at + 1});
        return;
    }
    error(ProblemKind::KeyMatchesNone, number, field, key);
}

// Question `number` of the test into slot `slot` of the content.
void Reader::readQuestion(const QJsonValue &value, int number, KOVRA_Danni &content, int slot)
{
    if (!value.isObject()) {
        wrongType(number, QString(), ValueType::Object, value);
        return;
    }
    const QJsonObject object = value.toObject();
    checkFields(object, {"text", "choices", "key", "figure", "explanation"}, number);

    TextList &question = content.List1(slot);
    question.clear();
    const QJsonValue text = object.value(QStringLiteral("text"));
    std::optional<QByteArray> textRow;
    if (text.isUndefined()) {
        error(ProblemKind::MissingField, number, QStringLiteral("text"));
    } else {
        textRow = line(text, number, QStringLiteral("text"));
    }
    if (textRow && m_phraseMode && !textRow->contains('_')) {
        error(ProblemKind::NoBlank, number, QStringLiteral("text"));
    }
    question.addItem(textRow.value_or(QByteArray()));

    // A wrong count of choices is the first fault: nothing more of them is checked.
    const QJsonValue choiceList = object.value(QStringLiteral("choices"));
    const qsizetype choiceCount = choiceList.isArray() ? choiceList.toArray().size() : 0;
    std::optional<TextList> choices;
    if (choiceList.isArray() &&
        (choiceCount < KOVRA_Danni::kMinChoices || choiceCount > KOVRA_Danni::kMaxChoices)) {
        error({.kind = ProblemKind::ChoiceCount,
               .question = number,
               .field = QStringLiteral("choices"),
               .count = choiceCount,
               .least = KOVRA_Danni::kMinChoices,
               .limit = KOVRA_Danni::kMaxChoices});
    } else {
        choices = lines(object, QStringLiteral("choices"), number, true);
    }
    if (choices) {
        const int count = choices->listCount();
        for (int i = 0; i < count; ++i) {
            const QByteArray &choice = choices->list(i);
            if (choice.trimmed().isEmpty()) {
                error(ProblemKind::EmptyChoice, number, indexed(QStringLiteral("choices"), i));
            }
            question.addItem(choice);
        }
        checkLookAlikes(question, number);
    }

    const QJsonValue keyValue = object.value(QStringLiteral("key"));
    std::optional<QByteArray> key;
    if (keyValue.isUndefined()) {
        error(ProblemKind::MissingField, number, QStringLiteral("key"));
    } else {
        key = line(keyValue, number, QStringLiteral("key"));
    }
    if (key && choices) {
        const auto matches = std::count(choices->rows().begin(), choices->rows().end(), *key);
        if (matches == 0) {
            keyMatchesNone(fromCp1251(*key), *choices, number);
        } else if (matches > 1) {
            error(ProblemKind::KeyMatchesSeveral, number, QStringLiteral("key"), fromCp1251(*key));
        }
    }
    content.List1(0).setList(slot - 1, key.value_or(QByteArray()));

    if (auto explanation = lines(object, QStringLiteral("explanation"), number, true)) {
        if (explanation->listCount() == 0) {
            error(ProblemKind::NoExplanation, number, QStringLiteral("explanation"));
        }
        content.Obqsnenie(slot) = std::move(*explanation);
    }
    readFigure(object.value(QStringLiteral("figure")), number);
}

// Every question of a test that draws its runs, each read through slot 1 of a scratch set.
void Reader::readPool(const QJsonArray &array)
{
    m_pool.emplace();
    m_pool->questions.resize(static_cast<std::size_t>(array.size()));
    KOVRA_Danni scratch;
    scratch.List1(0).addItem(QByteArray());
    for (int i = 0; i < array.size(); ++i) {
        readQuestion(array.at(i), i + 1, scratch, 1);
        PooledQuestion &question = m_pool->questions[static_cast<std::size_t>(i)];
        question.question = scratch.List1(1);
        question.key = scratch.List1(0).list(0);
        question.explanation = scratch.Obqsnenie(1);
    }
}

LoadResult Reader::read(const QByteArray &json)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(json, parseError.offset);
        error({.kind = ProblemKind::Malformed,
               .line = line,
               .column = column,
               .json = parseError.error});
        return result(std::nullopt);
    }
    if (!document.isObject()) {
        error(ProblemKind::NotAnObject, 0, QString());
        return result(std::nullopt);
    }
    const QJsonObject root = document.object();
    checkFields(root, {"settings", "note", "questions", "draw", "results"}, 0);
    const std::optional<QString> resultsFolder = readResults(root.value(QStringLiteral("results")));

    KOVRA_Danni content;
    bool totoOn = false;
    const QJsonValue settingRows = root.value(QStringLiteral("settings"));
    if (settingRows.isArray() && settingRows.toArray().size() != KOVRA_Danni::kSettingsRows) {
        error({.kind = ProblemKind::SettingsCount,
               .field = QStringLiteral("settings"),
               .count = settingRows.toArray().size(),
               .limit = KOVRA_Danni::kSettingsRows});
    } else if (auto settings = lines(root, QStringLiteral("settings"), 0, true)) {
        content.List2() = std::move(*settings);
        const TextList &rows = content.List2();
        for (int row = kFirstFlagRow; row < rows.listCount(); ++row) {
            if (row == TitleRow) {
                continue;
            }
            const QByteArray &text = rows.list(row);
            const char last = text.isEmpty() ? '\0' : text.back();
            if (last != '0' && last != '1') {
                warning(ProblemKind::FlagNotBinary, 0, indexed(QStringLiteral("settings"), row),
                        text.isEmpty() ? QString() : fromCp1251(QByteArray(1, last)));
            }
        }
        m_phraseMode = rows.listCount() > PhraseModeRow && content.flag(PhraseModeRow) == 1;
        totoOn = rows.listCount() > TotoRow && content.flag(TotoRow) == 1;
    }
    if (auto note = lines(root, QStringLiteral("note"), 0, false)) {
        content.Text1(0) = std::move(*note);
    }

    // How many questions each run draws from a bigger bank.
    std::optional<int> draw;
    if (const QJsonValue value = root.value(QStringLiteral("draw")); !value.isUndefined()) {
        if (!value.isDouble() || value.toDouble() != std::floor(value.toDouble()) ||
            std::abs(value.toDouble()) > kMaxPoolQuestions) {
            wrongType(0, QStringLiteral("draw"), ValueType::Integer, value);
        } else {
            draw = value.toInt();
        }
    }

    const QJsonValue questions = root.value(QStringLiteral("questions"));
    if (questions.isUndefined()) {
        error(ProblemKind::MissingField, 0, QStringLiteral("questions"));
    } else if (!questions.isArray()) {
        wrongType(0, QStringLiteral("questions"), ValueType::Questions, questions);
    } else {
        const QJsonArray array = questions.toArray();
        const int count = static_cast<int>(array.size());
        const auto [least, runMost] = questionRange(totoOn);
        const int most = draw ? kMaxPoolQuestions : runMost;
        const bool drawRange = draw && *draw >= least && *draw <= std::min(runMost, count);
        if (count < least || count > most) {
            // A bank bigger than a run needs the setting that draws from it.
            error({.kind = ProblemKind::QuestionCount,
                   .field = QStringLiteral("questions"),
                   .count = count,
                   .least = least,
                   .limit = most,
                   .toto = totoOn,
                   .draws = !draw && count > most && count <= kMaxPoolQuestions});
        } else if (draw && !drawRange) {
            error({.kind = ProblemKind::DrawCount,
                   .field = QStringLiteral("draw"),
                   .count = *draw,
                   .least = least,
                   .limit = std::min(runMost, count)});
        } else if (draw) {
            readPool(array);
            m_pool->draw = *draw;
        } else {
            TextList &key = content.List1(0);
            for (int i = 0; i < count; ++i) {
                key.addItem(QByteArray());
            }
            for (int i = 0; i < count; ++i) {
                readQuestion(array.at(i), i + 1, content, i + 1);
            }
            for (int k = count + 1; k < KOVRA_Danni::kQuestionLists; ++k) {
                content.List1(k).addItem(
                    cp1251Literal(QStringLiteral("List1(%1) - въпрос от теста").arg(k)));
            }
            content.Obqsnenie(0).addItem(cp1251Literal(QStringLiteral("Обяснение 0")));
            for (int k = count + 1; k < KOVRA_Danni::kFigureSlots; ++k) {
                content.Obqsnenie(k).addItem(cp1251Literal(QStringLiteral("Обяснение %1").arg(k)));
            }
        }
    }
    checkFigures(content);
    if (m_pool && !m_hasError) {
        // The content holds a run of the first questions, as a test of that many would.
        std::vector<int> first(static_cast<std::size_t>(m_pool->draw));
        for (std::size_t i = 0; i < first.size(); ++i) {
            first[i] = static_cast<int>(i);
        }
        placeQuestions(*m_pool, first, content);
        content.Obqsnenie(0) = TextList{cp1251Literal(QStringLiteral("Обяснение 0"))};
    }
    return result(std::move(content), resultsFolder);
}

std::optional<QString> Reader::readResults(const QJsonValue &value)
{
    if (value.isUndefined()) {
        return std::nullopt;
    }
    const QString field = QStringLiteral("results");
    if (!value.isObject()) {
        wrongType(0, field, ValueType::Object, value);
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != QLatin1String("folder")) {
            error(ProblemKind::UnknownField, 0, field + QLatin1Char('.') + it.key());
        }
    }
    const QJsonValue folder = object.value(QStringLiteral("folder"));
    if (!folder.isUndefined() && !folder.isString()) {
        wrongType(0, field + QStringLiteral(".folder"), ValueType::String, folder);
        return std::nullopt;
    }
    return folder.toString();
}

} // namespace

Problem figureProblem(FigureFault fault, int question, const QString &name, QSize size)
{
    Problem problem{.kind = ProblemKind::FigureCorrupt,
                    .question = question,
                    .field = QStringLiteral("figure"),
                    .text = name,
                    .width = size.width(),
                    .height = size.height()};
    switch (fault) {
    case FigureFault::TooLarge:
        problem.kind = ProblemKind::FigureTooLarge;
        problem.limit = kMaxFigurePixels;
        break;
    case FigureFault::TooLargeWhole:
        problem.kind = ProblemKind::FigureTooLargeWhole;
        problem.limit = kMaxWholeFigureBytes;
        break;
    case FigureFault::NotStored:
        problem.kind = ProblemKind::FigureFormat;
        break;
    case FigureFault::TooManyScans:
        problem.kind = ProblemKind::FigureScans;
        problem.limit = kMaxJpegScans;
        break;
    case FigureFault::TooManyChunks:
        problem.kind = ProblemKind::FigureChunks;
        problem.limit = kMaxPngAncillaryChunks;
        break;
    case FigureFault::NotAnImage:
        break;
    }
    return problem;
}

LoadResult loadContent(const QByteArray &json, const FigureFiles &figures, FigureSource source)
{
    return Reader(figures, source).read(json);
}

TestFilesResult readContentFolder(const QString &folder)
{
    QFile file(folder + QLatin1Char('/') + QLatin1String(kContentFileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, {{.kind = ProblemKind::Unreadable, .text = file.fileName()}}};
    }
    const FigureFiles figures = [folder](const QString &name) -> std::optional<QByteArray> {
        QFile figure(folder + QLatin1Char('/') + name);
        if (!figure.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        // One byte past the limit tells a file too large, without reading it all.
        return figure.read(std::min(figure.size(), kMaxFigureFileBytes) + 1);
    };
    return {TestFiles{file.readAll(), figures}, {}};
}

LoadResult loadContentFolder(const QString &folder)
{
    TestFilesResult read = readContentFolder(folder);
    if (!read.files) {
        return {std::nullopt, std::move(read.problems)};
    }
    return loadContent(read.files->json, read.files->figures, read.files->source);
}

} // namespace kovra
