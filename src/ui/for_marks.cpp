// SPDX-License-Identifier: GPL-3.0-or-later
#include "for_marks.h"

#include "content/textnum.h"
#include "results/recorder.h"
#include "ui/kovra_prazno.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace kovra {

namespace {

constexpr int kTickMs = 250;
constexpr qint64 kJournalEveryMs = 5000; // at most this much time is given back after a kill

int unanswered(const RunState &state)
{
    return state.QuestionCount - state.AnsweredCount;
}

} // namespace

SteadyClock steadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

MarksKeeper::MarksKeeper(KOVRA_Prazno &window, ResultRecorder *recorder, Journal journal,
                         QString journalFile, bool limited, SteadyClock clock)
    : QObject(&window), m_window(window), m_recorder(recorder), m_journal(std::move(journal)),
      m_journalFile(std::move(journalFile)), m_clock(std::move(clock))
{
    setObjectName(QStringLiteral("forMarks"));
    m_time = new QLabel(&window);
    m_time->setObjectName(QStringLiteral("timeLeft"));
    window.statusBar()->addWidget(m_time, 1);
    window.statusBar()->setSizeGripEnabled(false);
    m_journalAt = m_clock();
    if (limited) {
        m_countdown.emplace(m_journal.leftMs, m_journalAt);
        m_timer = new QTimer(this);
        m_timer->setInterval(kTickMs);
        connect(m_timer, &QTimer::timeout, this, &MarksKeeper::tick);
        m_timer->start();
    }
    connect(&window, &KOVRA_Prazno::handInAsked, this, [this] { ask(false); });
    connect(&window, &KOVRA_Prazno::exitAsked, this, [this] { ask(true); });
    connect(&window, &KOVRA_Prazno::answered, this, &MarksKeeper::keepJournal);
    tick();
    keepJournal();
}

void MarksKeeper::tick()
{
    if (m_window.handedIn()) {
        return;
    }
    if (!m_countdown) {
        m_time->setText(QStringLiteral("Тест за оценка: отговорите се предават на учителя."));
        return;
    }
    const Countdown::Tick tick = m_countdown->tick(m_clock());
    m_time->setText(QStringLiteral("Оставащо време: %1").arg(timeLeftText(tick.leftMs)));
    if (tick.warning) {
        warn(*tick.warning);
    }
    if (tick.over) {
        handIn(QStringLiteral("Времето изтече: отговорите ви са предадени."), false);
        return;
    }
    if (m_clock() - m_journalAt >= kJournalEveryMs) {
        keepJournal();
    }
}

void MarksKeeper::warn(TimeWarning warning)
{
    const QString text = warning == TimeWarning::FiveMinutes
                             ? QStringLiteral("Остават 5 минути до края на теста.")
                             : QStringLiteral("Остава 1 минута до края на теста.");
    m_time->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    // The pupil goes on answering while it is shown.
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("КОВРА"), text,
                                QMessageBox::Ok, &m_window);
    box->setObjectName(QStringLiteral("timeWarning"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void MarksKeeper::ask(bool exiting)
{
    if (m_window.handedIn()) {
        return;
    }
    const int open = unanswered(m_window.runState());
    if (!exiting && open == 0) {
        handIn(QStringLiteral("Отговорите ви са предадени."), false);
        return;
    }
    if (m_asking && m_asking->isVisible()) {
        m_asking->raise();
        return;
    }
    QString text = open > 0 ? QStringLiteral("Не сте отговорили на %1 от %2 въпроса.\n")
                                  .arg(open)
                                  .arg(m_window.runState().QuestionCount)
                            : QString();
    text += exiting ? QStringLiteral("Да предадете ли отговорите си на учителя и да излезете от "
                                     "теста? След това те не могат да се променят.")
                    : QStringLiteral("Да предадете ли отговорите си на учителя? След това те не "
                                     "могат да се променят.");
    m_asking = new QMessageBox(QMessageBox::Question, QStringLiteral("КОВРА"), text,
                               QMessageBox::NoButton, &m_window);
    m_asking->setObjectName(QStringLiteral("handInQuestion"));
    m_asking->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *yes =
        m_asking->addButton(exiting ? QStringLiteral("Предай и излез") : QStringLiteral("Предай"),
                            QMessageBox::AcceptRole);
    yes->setObjectName(QStringLiteral("handIn"));
    QPushButton *back =
        m_asking->addButton(QStringLiteral("Назад към теста"), QMessageBox::RejectRole);
    m_asking->setDefaultButton(back);
    m_asking->setEscapeButton(back);
    connect(yes, &QPushButton::clicked, this,
            [this, exiting] { handIn(QStringLiteral("Отговорите ви са предадени."), exiting); });
    m_asking->open();
}

void MarksKeeper::handIn(const QString &why, bool exiting)
{
    if (m_asking && m_asking->isVisible()) {
        m_asking->close();
    }
    if (m_timer) {
        m_timer->stop();
    }
    if (m_countdown) {
        m_journal.leftMs = m_countdown->leftMs();
    }
    m_window.handIn(why);
    m_time->setStyleSheet({});
    m_time->setText(QStringLiteral("Отговорите са предадени."));
    m_journal.handedIn = true;
    keepJournal();
    if (exiting) {
        m_recorder->finishWrites();
        m_window.exitNow();
    }
}

void MarksKeeper::keepJournal()
{
    const RunState &state = m_window.runState();
    m_journal.slots.clear();
    m_journal.responses.clear();
    for (int p = 0; p < state.QuestionCount; ++p) {
        m_journal.slots.push_back(readIndex(state.List2(ChosenSlotList).list(p)));
    }
    for (const KindAnswer &answer : m_window.kindAnswers()) {
        m_journal.responses.push_back(answer.response);
    }
    if (m_countdown && !m_journal.handedIn) {
        m_journal.leftMs = m_countdown->leftMs();
    }
    m_journalAt = m_clock();
    (void)writeJournal(m_journalFile, m_journal);
}

} // namespace kovra
