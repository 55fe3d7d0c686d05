// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the result file of a run: written whole and atomically when the run starts, after every
// answer and at the evaluation. An answer is written before its click's handling returns, so a
// kill cannot lose an answer the pupil saw taken; the evaluation's write, after which no answer
// is kept, goes to a thread of its own.
#pragma once

#include "resultfile.h"

#include <QObject>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kovra {

class KOVRA_Danni;
struct RunState;

struct Pupil
{
    QString name;
    QString group; // the class
};

// Why a result file could not be written.
enum class WriteFault
{
    DiskFull,     // the disk (or the room the system allows) ran out part-way through
    CannotCreate, // the folder takes no new file
    CannotWrite,  // another fault of the system, its words in `system`
    NoFreeName,   // every name of the run's pupil and second is taken
    CannotSeal,   // a test for marks' seal could not be made (no source of randomness)
};

struct WriteFailure
{
    WriteFault fault = WriteFault::CannotWrite;
    QString path;
    QString system; // the system's own words, for the faults that need them
};

// The words of a failure for the teacher, in the installed language.
[[nodiscard]] QString describe(const WriteFailure &failure);

// Where the first file went, and why not to the folder asked for.
struct ResultStart
{
    QString path; // the file written; empty when no folder took it
    bool fellBack = false;
    std::optional<WriteFailure> reason; // why the folder asked for failed
};

class ResultRecorder : public QObject
{
    Q_OBJECT
public:
    ResultRecorder(TestIdentity test, Pupil pupil, QObject *parent = nullptr);
    ~ResultRecorder() override;

    // A run drawn from a bank: the bank's index of each question of the run, by its slot.
    void setDrawn(std::vector<int> drawn) { m_drawn = std::move(drawn); }
    // A run with questions of other kinds than single choice: what each position of theirs shows
    // and holds, asked at every snapshot.
    void setKinds(std::function<std::vector<KindAnswer>()> kinds) { m_kinds = std::move(kinds); }

    // Writes the first file into `folder`, or into `fallback` when that cannot be written.
    ResultStart start(const QString &folder, const QString &fallback, const KOVRA_Danni &content,
                      const RunState &state);
    // Goes on writing the file of an earlier run of this pupil that was stopped, in place, with
    // the time it started; no path when it cannot be written.
    ResultStart resume(const QString &path, const QDateTime &started, const KOVRA_Danni &content,
                       const RunState &state);
    // After an answer: keeps its time when the chosen slot changed, and writes the file.
    void answered(const KOVRA_Danni &content, const RunState &state);
    // At the evaluation: the end time and the score; later answers (the review) are not kept.
    // evaluationWritten() tells when that file is written.
    void evaluated(const KOVRA_Danni &content, const RunState &state);

    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] const QDateTime &started() const { return m_record.started; }
    [[nodiscard]] bool isEvaluated() const { return m_record.evaluated; }
    // Waits until every write asked for has ended; false when the last one failed.
    bool finishWrites();

Q_SIGNALS:
    // The file as it was at this write (counted from 1 after the start) is on disk.
    void saved(int write);
    // A write failed (a full disk, a folder gone): the last whole file stays.
    void failed(const kovra::WriteFailure &reason);
    // The write of the evaluation has ended; whether it is on disk.
    void evaluationWritten(bool written);

private:
    void snapshot(const KOVRA_Danni &content, const RunState &state);
    int snapshotKind(ResultAnswer &answer, const KindAnswer &kind, int p);
    [[nodiscard]] QDateTime now() const;
    [[nodiscard]] std::optional<WriteFailure> writeFile(const ResultRecord &record,
                                                        const QString &path) const;
    void submit(); // the evaluation's write, to the thread
    // Emits what became of a write: saved() or failed(), and evaluationWritten() for the last.
    void tell(int write, const std::optional<WriteFailure> &failed, bool evaluation);
    void work();

    TestIdentity m_test;
    ResultRecord m_record;
    std::vector<std::optional<int>> m_slots; // the slot each position's time was kept for
    std::vector<Response> m_responses;       // the same of the other kinds' answers
    std::function<std::vector<KindAnswer>()> m_kinds;
    std::vector<int> m_drawn;
    QString m_path;
    int m_offset = 0; // of the local time from UTC, in seconds, at the start

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::optional<ResultRecord> m_pending;
    int m_asked = 0; // writes asked for, counted from 1 after the start
    bool m_busy = false;
    bool m_lastFailed = false;
    bool m_stop = false;
    std::thread m_thread;
};

// Writes bytes whole or not at all, replacing the file; what went wrong when not.
[[nodiscard]] std::optional<WriteFailure> saveWhole(const QString &path, const QByteArray &bytes);

// A name the folder holds no file of, claimed there by creating the file: `name` itself, or
// "<name> (2)" and on while another run holds it (two pupils of one name and class starting in
// the same second). Then writes the bytes into it whole; the path, or what went wrong.
inline constexpr int kMaxSameNameRuns = 999;
struct NewFile
{
    QString path;
    std::optional<WriteFailure> failure;
};
[[nodiscard]] NewFile createResultFile(const QString &folder, const QString &name,
                                       const QByteArray &bytes);

} // namespace kovra
