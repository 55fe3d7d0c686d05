// SPDX-License-Identifier: GPL-3.0-or-later
// Marks the moment the first top-level window has been exposed and painted, for the start-up
// benchmark. The bare program and the player's start-up probe use it alike.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace kovra::bench {

// CLOCK_MONOTONIC is one clock for every process of the machine: the parent that spawned
// this process compares it with the moment of the spawn.
inline long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// The peak resident memory of this process so far, in KiB; -1 when unknown.
inline long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Watches the whole application for the first expose of a top-level window. The expose
// event paints the window into its backing store before it returns; a queued call after it
// prints the time and the peak memory and ends the event loop.
class ExposeProbe : public QObject
{
public:
    explicit ExposeProbe(QCoreApplication &app) : QObject(&app) { app.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Expose && watched->isWindowType()) {
            const auto *window = static_cast<QWindow *>(watched);
            if (window->isTopLevel() && window->isExposed()) {
                m_seen = true;
                QMetaObject::invokeMethod(this, &ExposeProbe::report, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report()
    {
        const long long now = monotonicNs();
        std::printf("exposed_ns %lld\npeak_kib %ld\n", now, peakResidentKiB());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool m_seen = false;
};

} // namespace kovra::bench
