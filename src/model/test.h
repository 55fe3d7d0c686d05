// SPDX-License-Identifier: GPL-3.0-or-later
// A test as one value: what a content folder, a test file and every question bank are read
// into, what the rules check, what is written, exported, printed, edited and marked against.
// A run of the player is built from it. Plain values: no widgets, no files, no JSON.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kovra {

// Why a figure file cannot be shown.
enum class FigureFault
{
    NotAnImage,    // no decoder reads it
    TooLarge,      // more pixels than a figure may have
    NotStored,     // an image, but not a JPEG or PNG where a test file holds only these
    TooManyScans,  // a JPEG of too many scans
    TooManyChunks, // a PNG of too many ancillary chunks
    TooLargeWhole, // decoded whole, more memory than a figure may take
};

// A question's figure: the bytes of its file, checked once when they are set.
struct Figure
{
    QByteArray bytes;  // the file's bytes; empty: none
    QByteArray suffix; // the ending its name takes in a test file: "jpg", "png"
    // A name the source gives that names no file, kept so that the check says so.
    QString missing;
    // What the check found: the decoder's format when it shows, else why it does not.
    QByteArray format;
    std::optional<FigureFault> fault;
    QSize size; // as the file's header gives it

    [[nodiscard]] bool isEmpty() const { return bytes.isEmpty(); }
    bool operator==(const Figure &) const = default;
};

// Where a question came from: its lines in a bank, or its rows in a spreadsheet.
struct SourcePlace
{
    int line = 0; // 0: not from a bank
    int lastLine = 0;
    bool operator==(const SourcePlace &) const = default;
};

// What a pupil does to answer a question.
enum class QuestionKind
{
    Single,   // picks one of its choices
    Several,  // ticks any of its choices, each of a weight
    Typed,    // types a word or a few
    Number,   // types a number
    Matching, // picks an answer for each of its items
};

// An answer a pupil may type, and the credit it gives.
struct Accepted
{
    QString text{};       // Typed: `*` stands for any text, `\*` for a star; Number: the value
    double credit = 1;    // from 0 to 1
    double tolerance = 0; // Number: how far from the value an answer may be, either way
    bool operator==(const Accepted &) const = default;
};

// A unit a number may be typed in: the value typed, divided by its multiplier, is marked.
struct Unit
{
    QString name{};
    double multiplier = 1;
    bool operator==(const Unit &) const = default;
};

struct Question
{
    QuestionKind kind = QuestionKind::Single;
    QString text{};
    QStringList choices{}; // Single and Several: the choices; Matching: the answers offered
    int right = -1;        // Single: the right choice's index; -1 when none is marked
    // Several: each choice's credit when it is ticked, from -1 to 1; the ticked ones' credits are
    // added up, within 0 and 1. All or nothing: the ticks must be the choices of credit above 0.
    std::vector<double> weights{};
    bool allOrNothing = false;
    std::vector<Accepted> accepted{}; // Typed and Number, in the order they are tried
    bool caseMatters = false;         // Typed
    std::vector<Unit> units{};        // Number: none: a number alone
    bool unitsIgnored = false;        // Number: any text after the number is let be
    bool unitFirst = false;           // Number: a unit is written before the number ("$ 5")
    // Number with units: the credit a number typed without one of them loses, the number taken
    // in the first unit. 0: a unit may be left off, and a text that is none is wrong.
    double unitPenalty = 0;
    bool unitPenaltyOfQuestion = false; // taken off the credit, not a share of the answer's
    QStringList items{};                // Matching: what each answer is picked for
    std::vector<int> matches{};         // Matching: the right answer of each item, in `choices`
    QStringList explanation{};          // its lines, shown in the review
    Figure figure{};
    SourcePlace source{};

    [[nodiscard]] bool isSingle() const { return kind == QuestionKind::Single; }
    // Whether the question holds what marks it (a pupils' copy holds none).
    [[nodiscard]] bool hasKey() const;
    [[nodiscard]] bool hasRight() const { return right >= 0 && right < choices.size(); }
    // The right choice's text; empty when none is marked.
    [[nodiscard]] QString rightText() const { return choices.value(right); }
    bool operator==(const Question &) const = default;
};

// The words of the settings rows as a new test has them, each flag row's digit left off.
[[nodiscard]] QStringList defaultSettingsWords();

// The bytes of each key of a test for marks' seal.
inline constexpr qsizetype kSealKeyBytes = 32;
// The longest time limit a test for marks may have, in minutes, with extra time too.
inline constexpr int kMaxMinutes = 600;

// A test for marks: the pupils are given a copy that holds no key, see no score and no review,
// and hand in answers sealed for the teacher, who marks them.
struct ForMarks
{
    int minutes = 0;      // the time limit; 0: none
    QByteArray publicKey; // the answers are sealed to it; empty until the test is first saved
    QByteArray secretKey; // opens them: the teacher's test holds it, the pupils' copy never
    bool operator==(const ForMarks &) const = default;
};

struct Test
{
    QString title;
    bool phrase = false;         // the chosen answer is put into the blank of the question
    bool askAgain = false;       // the first question is asked again at another place
    bool explanations = false;   // the explanations are shown in the review
    bool reviewButtons = false;  // buttons step through every question after the evaluation
    int draw = 0;                // the questions each run draws from all of them; 0: all
    bool collectResults = false; // the pupils' results are kept
    QString resultsFolder;       // where; empty: the test file's own folder
    // The words of the settings rows as the test has them: a test opened and saved again says
    // the same.
    QStringList settingsWords = defaultSettingsWords();
    QStringList note;                 // the author's, never shown to a pupil
    std::vector<Question> questions;  // every question, a bank's whole when the test draws
    std::optional<ForMarks> forMarks; // none: a test for practice, marked at once

    // A test for marks as it is handed to pupils: the public key without the secret one, and no
    // key of any kind. (A test for marks not saved yet has neither.)
    [[nodiscard]] bool isPupilsCopy() const
    {
        return forMarks && !forMarks->publicKey.isEmpty() && forMarks->secretKey.isEmpty();
    }
    // The teacher's test of a test for marks, which no pupil may be given.
    [[nodiscard]] bool isTeachersTest() const { return forMarks && !forMarks->secretKey.isEmpty(); }

    // The questions of one run.
    [[nodiscard]] int runQuestions() const
    {
        return draw > 0 ? draw : static_cast<int>(questions.size());
    }
    bool operator==(const Test &) const = default;
};

// The copy of a test for marks that pupils are given: what the teacher's test holds but the key
// in any form (no right choice, the choices in an order of their texts alone, no explanation,
// no note, no secret key), with the time limit made longer by `timePercent` (125: a quarter
// more), rounded up to a whole minute.
[[nodiscard]] Test pupilsCopy(const Test &test, int timePercent = 100);

} // namespace kovra
