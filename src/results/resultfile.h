// SPDX-License-Identifier: GPL-3.0-or-later
// A pupil's result file: one run of one test, kept as JSON text (UTF-8) and written whole at
// the start, after every answer and at the evaluation. A keyed checksum, its key taken from the
// test's questions, shows an edit made by hand; a file from outside is read as hostile input,
// every limit below checked before the bytes it guards.
#pragma once

#include "content/problems.h"
#include "model/marking.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kovra {

class KOVRA_Danni;
struct Test;

inline constexpr char kResultSuffix[] = "kovres";
inline constexpr char kResultFormat[] = "kovra-result 1";
inline constexpr qint64 kMaxResultFileBytes = qint64{4} * 1024 * 1024;
inline constexpr int kMaxResultPositions = 40;
inline constexpr int kMaxResultChoices = 5;
inline constexpr int kMaxResultOffered = 12; // the answers matching offers, or picks of items
// A question's index: a bank that draws its runs holds 1000 questions at most, and the repeat
// of the check takes the index after the last.
inline constexpr int kMaxResultQuestion = 1000;
inline constexpr qsizetype kMaxResultTextChars = 16384; // any one text
inline constexpr qsizetype kMaxPupilNameChars = 60;     // the name, and the class
// A sealed result is filled to a whole number of these before it is sealed.
inline constexpr qsizetype kSealedBlockBytes = 1024;
static_assert(kMaxResultFileBytes % kSealedBlockBytes == 0);

enum class Verdict
{
    None,
    Right,
    Wrong
};

// One position of the run.
struct ResultAnswer
{
    int question = 0;    // the question's index in the test (in its bank when it draws), from 0;
                         // the count of its questions: the repeat of the check
    QString text;        // the question's text
    QStringList choices; // in the order shown, top to bottom
    std::optional<int> chosen; // the slot of the chosen choice
    Verdict verdict = Verdict::None;
    QDateTime time; // of the last answer given here
    // A question of another kind: `choices` the choices or the answers offered as shown, none
    // for a typed one; the answer given; its credit as the window gave it (none for marks).
    QuestionKind kind = QuestionKind::Single;
    Response response;
    std::optional<double> credit;

    [[nodiscard]] bool isAnswered() const { return chosen || !response.isEmpty(); }
};

// What a result file says of its test and how it is checked.
struct TestIdentity
{
    QString title;
    QByteArray sha256;     // of the test file, hex
    QByteArray questions;  // of the title, the questions and their choices (not the key), hex
    QByteArray key;        // the checksum's key, from the same texts
    int questionCount = 0; // of the test, or of its bank when it draws its runs
    int runQuestions = 0;  // the questions of one run, which a mark counts
    // A test for marks: every result file is sealed to the public key, and opened with the
    // secret one, which only the teacher's test gives. Both empty for a test for practice.
    QByteArray publicKey;
    QByteArray secretKey;
    [[nodiscard]] bool seals() const { return !publicKey.isEmpty(); }
};

// The identity of a loaded test (before the check question is appended) and its file's bytes.
// A test that draws its runs gives its bank: its questions are named by their place there.
// A test for marks is named by its pupils' copy, which the teacher's test names the same.
[[nodiscard]] TestIdentity identifyTest(const Test &test, const QByteArray &fileBytes);

struct ResultRecord
{
    QString title;
    QByteArray testSha256;
    QByteArray questions;
    QString name;
    QString group; // the class
    QString computer;
    QDateTime started;
    QDateTime ended; // invalid until the evaluation
    bool evaluated = false;
    int right = 0; // the score as the pupil saw it
    std::vector<ResultAnswer> answers;
};

// The file's bytes, its checksum keyed with `key`.
[[nodiscard]] QByteArray writeResult(const ResultRecord &record, const QByteArray &key);
// The bytes of the result file as the test keeps it: sealed for a test for marks; none when the
// seal cannot be made.
[[nodiscard]] std::optional<QByteArray> resultBytes(const ResultRecord &record,
                                                    const TestIdentity &test);

struct ParsedResult
{
    std::optional<ResultRecord> record; // present when every field is in its form and limits
    std::optional<Problem> problem;     // why it is refused, worded by describe()
    QByteArray checksum;                // as the file gives it
    QByteArray signedBytes;
};

// Reads the bytes of a result file: its form and limits, not yet its checksum.
[[nodiscard]] ParsedResult parseResult(const QByteArray &bytes);
// Whether the checksum of a parsed file holds with this key.
[[nodiscard]] bool checksumHolds(const ParsedResult &parsed, const QByteArray &key);
// A file on disk: its size is checked before it is read.
[[nodiscard]] ParsedResult readResultFile(const QString &path);
// A file on disk of this test: a test for marks' result is opened with its secret key (none:
// refused as sealed), and one in clear is refused.
[[nodiscard]] ParsedResult readResultFile(const QString &path, const TestIdentity &test);

// "<class> <name> <date time>.kovres", with no character a file system refuses.
[[nodiscard]] QString resultFileName(const QString &group, const QString &name,
                                     const QDateTime &started);

} // namespace kovra
