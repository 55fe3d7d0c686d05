// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorder.h"

#include "content/cp1251.h"
#include "content/danni.h"
#include "content/textnum.h"
#include "run/run_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSysInfo>
#include <cerrno>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace kovra {

namespace {
#ifdef Q_OS_LINUX
constexpr int kWriterNice = 10;
#endif
} // namespace

namespace {

// A write that stopped short: the system tells no fault of its own for the part not written (a
// disk that fills part-way, a file size limit), so the fault is known from errno and the count.
WriteFailure writeFailure(const QString &path, const QFileDevice &file, int code, bool shortWrite)
{
    if (code == ENOSPC || code == EFBIG || code == EDQUOT ||
        file.error() == QFileDevice::ResourceError || shortWrite) {
        return {WriteFault::DiskFull, path, {}};
    }
    return {WriteFault::CannotWrite, path, file.errorString()};
}

} // namespace

std::optional<WriteFailure> saveWhole(const QString &path, const QByteArray &bytes)
{
    // Unbuffered: a write cut short (a full disk, a file size limit) is seen here. A buffered
    // one is written out at commit(), which then keeps a cut file as if it were whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return WriteFailure{WriteFault::CannotCreate, path, file.errorString()};
    }
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        // Worded before the cancel, which replaces the system's words with its own.
        const WriteFailure failure = writeFailure(path, file, errno, written >= 0);
        file.cancelWriting();
        return failure;
    }
    errno = 0;
    if (!file.commit()) {
        return writeFailure(path, file, errno, false);
    }
    return std::nullopt;
}

NewFile createResultFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QDir dir(folder);
    const QString suffix = QLatin1Char('.') + QLatin1String(kResultSuffix);
    const QString stem = name.endsWith(suffix) ? name.chopped(suffix.size()) : name;
    for (int copy = 1; copy <= kMaxSameNameRuns; ++copy) {
        const QString path =
            dir.filePath(copy == 1 ? stem + suffix
                                   : QStringLiteral("%1 (%2)%3").arg(stem).arg(copy).arg(suffix));
        // Created only where no file is: no other run's file is ever written over.
        QFile claim(path);
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path)) {
                continue;
            }
            return {{}, WriteFailure{WriteFault::CannotCreate, path, claim.errorString()}};
        }
        claim.close();
        // The bytes go in whole, through a file of their own renamed over the claimed name.
        if (std::optional<WriteFailure> failed = saveWhole(path, bytes)) {
            QFile::remove(path);
            return {{}, std::move(failed)};
        }
        return {path, std::nullopt};
    }
    return {{}, WriteFailure{WriteFault::NoFreeName, dir.filePath(name), {}}};
}

QString describe(const WriteFailure &failure)
{
    const auto words = [](const char *text) { return QCoreApplication::translate("kovra", text); };
    const QString path = QDir::toNativeSeparators(failure.path);
    switch (failure.fault) {
    case WriteFault::DiskFull:
        return words("%1 could not be written whole: the disk is full").arg(path);
    case WriteFault::CannotCreate:
        return words("%1 cannot be made in its folder: %2").arg(path, failure.system);
    case WriteFault::NoFreeName:
        return words("%1: every name of this pupil and second is taken").arg(path);
    case WriteFault::CannotSeal:
        return words("%1 could not be sealed: the system gives no randomness").arg(path);
    case WriteFault::CannotWrite:
        break;
    }
    return words("%1 could not be written: %2").arg(path, failure.system);
}

ResultRecorder::ResultRecorder(TestIdentity test, Pupil pupil, QObject *parent)
    : QObject(parent), m_test(std::move(test))
{
    m_record.title = m_test.title;
    m_record.testSha256 = m_test.sha256;
    m_record.questions = m_test.questions;
    // As the dialog takes them: blanks trimmed and single, within the limit of a result file.
    m_record.name = pupil.name.simplified().left(kMaxPupilNameChars);
    m_record.group = pupil.group.simplified().left(kMaxPupilNameChars);
    m_record.computer = QSysInfo::machineHostName();
    m_record.started = QDateTime::currentDateTime();
    m_offset = m_record.started.offsetFromUtc();
}

ResultRecorder::~ResultRecorder()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

// The local time at the offset of the start: the clock read without looking up the time zone
// again at every answer.
QDateTime ResultRecorder::now() const
{
    return QDateTime::currentDateTimeUtc().toOffsetFromUtc(m_offset);
}

void ResultRecorder::snapshot(const KOVRA_Danni &content, const RunState &state)
{
    const int n = state.QuestionCount;
    // The questions and the order of their choices are drawn once, at the start.
    const bool drawn = m_record.answers.size() == static_cast<std::size_t>(n);
    m_slots.resize(static_cast<std::size_t>(n));
    m_responses.resize(static_cast<std::size_t>(n));
    m_record.answers.resize(static_cast<std::size_t>(n));
    const std::vector<KindAnswer> kinds = m_kinds ? m_kinds() : std::vector<KindAnswer>();
    int right = 0;
    for (int p = 0; p < n; ++p) {
        ResultAnswer &answer = m_record.answers[static_cast<std::size_t>(p)];
        if (!drawn) {
            const int q = state.questionAt(p);
            const TextList &question = content.List1(q + 1);
            // The repeat of the check takes the index after the test's last question.
            answer.question = m_drawn.empty() ? q
                              : q < static_cast<int>(m_drawn.size())
                                  ? m_drawn[static_cast<std::size_t>(q)]
                                  : m_test.questionCount;
            answer.text = fromCp1251(question.list(0));
            for (const char digit : state.List2(AnswerOrderList).list(q)) {
                answer.choices << fromCp1251(question.list(digit - '0'));
            }
        }
        if (std::size_t(p) < kinds.size() && kinds[std::size_t(p)].kind != QuestionKind::Single) {
            right += snapshotKind(answer, kinds[std::size_t(p)], p);
            continue;
        }
        const int slot = readIndex(state.List2(ChosenSlotList).list(p));
        const int verdict = readIndex(state.List2(VerdictList).list(p));
        answer.chosen = slot >= 0 && slot < answer.choices.size() && verdict >= 0
                            ? std::optional<int>(slot)
                            : std::nullopt;
        // A test for marks' copy has no key to mark by: the teacher marks its answers.
        answer.verdict = !answer.chosen || m_test.seals() ? Verdict::None
                         : verdict == 1                   ? Verdict::Right
                                                          : Verdict::Wrong;
        right += answer.verdict == Verdict::Right ? 1 : 0;
        std::optional<int> &kept = m_slots[static_cast<std::size_t>(p)];
        if (answer.chosen != kept) {
            kept = answer.chosen;
            answer.time = answer.chosen ? now() : QDateTime();
        }
    }
    m_record.right = right;
}

// A position of another kind: what it shows (once), its answer, verdict and credit, the time of
// its last change. Whether it is right.
int ResultRecorder::snapshotKind(ResultAnswer &answer, const KindAnswer &kind, int p)
{
    if (answer.kind == QuestionKind::Single) {
        answer.kind = kind.kind;
        answer.choices = kind.shown;
    }
    answer.response = kind.response;
    const bool given = !kind.response.isEmpty();
    answer.credit = given && !m_test.seals() ? std::optional(kind.credit) : std::nullopt;
    answer.verdict = !given || m_test.seals() ? Verdict::None
                     : kind.credit >= 1       ? Verdict::Right
                                              : Verdict::Wrong;
    Response &kept = m_responses[static_cast<std::size_t>(p)];
    if (kind.response != kept) {
        kept = kind.response;
        answer.time = given ? now() : QDateTime();
    }
    return answer.verdict == Verdict::Right ? 1 : 0;
}

ResultStart ResultRecorder::start(const QString &folder, const QString &fallback,
                                  const KOVRA_Danni &content, const RunState &state)
{
    snapshot(content, state);
    const QString name = resultFileName(m_record.group, m_record.name, m_record.started);
    ResultStart outcome;
    const std::optional<QByteArray> bytes = resultBytes(m_record, m_test);
    if (!bytes) {
        outcome.reason = WriteFailure{WriteFault::CannotSeal, QDir(folder).filePath(name), {}};
        return outcome;
    }
    NewFile made = createResultFile(folder, name, *bytes);
    if (made.failure) {
        outcome.fellBack = true;
        outcome.reason = made.failure;
        QDir().mkpath(fallback);
        made = createResultFile(fallback, name, *bytes);
    }
    outcome.path = made.path;
    m_path = outcome.path;
    if (!m_path.isEmpty()) {
        m_thread = std::thread([this] { work(); });
    }
    return outcome;
}

ResultStart ResultRecorder::resume(const QString &path, const QDateTime &started,
                                   const KOVRA_Danni &content, const RunState &state)
{
    m_record.started = started;
    snapshot(content, state);
    ResultStart outcome;
    outcome.reason = writeFile(m_record, path);
    if (!outcome.reason) {
        outcome.path = path;
        m_path = path;
        m_thread = std::thread([this] { work(); });
    }
    return outcome;
}

std::optional<WriteFailure> ResultRecorder::writeFile(const ResultRecord &record,
                                                      const QString &path) const
{
    const std::optional<QByteArray> bytes = resultBytes(record, m_test);
    if (!bytes) {
        return WriteFailure{WriteFault::CannotSeal, path, {}};
    }
    return saveWhole(path, *bytes);
}

void ResultRecorder::answered(const KOVRA_Danni &content, const RunState &state)
{
    if (m_record.evaluated || m_path.isEmpty()) {
        return;
    }
    const std::vector<std::optional<int>> before = m_slots;
    const std::vector<Response> responses = m_responses;
    snapshot(content, state);
    // The program re-selects a shown answer as it shows its question: nothing new to keep.
    if (m_slots == before && m_responses == responses) {
        return;
    }
    // Written before the click's handling returns: once the pupil sees an answer taken, a
    // killed or crashed player cannot lose it. A write takes under a millisecond on a local disk.
    const std::lock_guard lock(m_mutex);
    const int write = ++m_asked;
    const std::optional<WriteFailure> failed = writeFile(m_record, m_path);
    m_lastFailed = failed.has_value();
    tell(write, failed, false);
}

void ResultRecorder::tell(int write, const std::optional<WriteFailure> &failed, bool evaluation)
{
    // On the window's thread, once the handling of the event that asked for the write is done.
    QMetaObject::invokeMethod(
        this,
        [this, write, failed, evaluation] {
            if (failed) {
                Q_EMIT this->failed(*failed);
            } else {
                Q_EMIT saved(write);
            }
            if (evaluation) {
                Q_EMIT evaluationWritten(!failed);
            }
        },
        Qt::QueuedConnection);
}

void ResultRecorder::evaluated(const KOVRA_Danni &content, const RunState &state)
{
    if (m_record.evaluated || m_path.isEmpty()) {
        return;
    }
    snapshot(content, state);
    m_record.evaluated = true;
    m_record.ended = now();
    submit();
}

void ResultRecorder::submit()
{
    {
        // A copy of the run's texts shares their data; the thread writes it out as JSON.
        const std::lock_guard lock(m_mutex);
        m_pending = m_record;
        ++m_asked;
    }
    m_wake.notify_one();
}

void ResultRecorder::work()
{
#ifdef Q_OS_LINUX
    // Below the window's thread: woken by the evaluation, the writer waits for the window to
    // finish its work rather than taking the core from it (Linux gives each thread its own nice
    // value).
    (void)setpriority(PRIO_PROCESS, 0, kWriterNice);
#endif
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_pending; });
        if (!m_pending) {
            return; // stopped with nothing waiting
        }
        const ResultRecord record = std::move(*m_pending);
        m_pending.reset();
        const int write = m_asked;
        m_busy = true;
        lock.unlock();
        const std::optional<WriteFailure> failed = writeFile(record, m_path);
        lock.lock();
        m_busy = false;
        m_lastFailed = failed.has_value();
        m_done.notify_all();
        tell(write, failed, true);
    }
}

bool ResultRecorder::finishWrites()
{
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return !m_pending && !m_busy; });
    return !m_lastFailed;
}

} // namespace kovra
