// SPDX-License-Identifier: GPL-3.0-or-later
// The player's side of a test for marks: the time left on the status line and its warnings,
// the questions before the answers are handed in, the hand-in when the time is over, and the
// resume journal kept at every answer and every few seconds.
#pragma once

#include "results/journal.h"
#include "run/countdown.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class QLabel;
class QMessageBox;
class QTimer;

namespace kovra {

class KOVRA_Prazno;
class ResultRecorder;

// A clock that only goes forward, in milliseconds; tests give their own.
using SteadyClock = std::function<qint64()>;
[[nodiscard]] SteadyClock steadyClock();

class MarksKeeper : public QObject
{
    Q_OBJECT
public:
    // `journal` as the run begins (its time left and answers) or goes on; written to
    // `journalFile`. A time limit of none when `limited` is false.
    MarksKeeper(KOVRA_Prazno &window, ResultRecorder *recorder, Journal journal,
                QString journalFile, bool limited, SteadyClock clock);

    // Reads the clock: the status line, a warning, the hand-in at the end. The window's timer
    // calls it; a test calls it after moving its clock.
    void tick();

    [[nodiscard]] QLabel *timeLabel() const { return m_time; }

private:
    void ask(bool exiting);
    void handIn(const QString &why, bool exiting);
    void keepJournal();
    void warn(TimeWarning warning);

    KOVRA_Prazno &m_window;
    ResultRecorder *m_recorder;
    Journal m_journal;
    QString m_journalFile;
    SteadyClock m_clock;
    std::optional<Countdown> m_countdown;
    qint64 m_journalAt = 0; // the clock when the journal was last written
    QTimer *m_timer = nullptr;
    QLabel *m_time = nullptr;
    QPointer<QMessageBox> m_asking;
};

} // namespace kovra
