// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window at work on a test of photographs: the check after a keystroke, with the
// repaint of the problem panel and the question list, and saving the test file.
//
// Usage: kovra-bench-teacher-edit PHOTOS.kovra [keystrokes (300)]. Prints the figures and PASS or
// MISS against the targets (a keystroke's median at most 16 ms, one frame; saving at most
// 1 s); exits 1 on a MISS, 2 on a failure.

#include "teacher/document.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kKeystrokeTargetMs = 16;
constexpr double kSaveTargetMs = 1000;
constexpr int kSaves = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kovra-bench-teacher-edit PHOTOS.kovra [keystrokes]\n");
        return 2;
    }
    const int keystrokes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 300;
    kovra::TeacherWindow window;
    if (!window.openPath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "kovra-bench-teacher-edit: %s cannot be opened\n", argv[1]);
        return 2;
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 2;
    }
    QPlainTextEdit *text = nullptr;
    for (auto *edit : window.findChildren<QPlainTextEdit *>()) {
        if (edit->accessibleName() == QLatin1String("Question text")) {
            text = edit;
        }
    }
    auto *panel = window.findChild<QTextBrowser *>();
    auto *list = window.findChild<QTreeView *>();
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < keystrokes; ++i) {
        // Typing, and rubbing out what was typed, so that the test stays the same size.
        timer.start();
        QTest::keyClick(text, i % 2 == 0 ? Qt::Key_A : Qt::Key_Backspace);
        panel->viewport()->repaint();
        list->viewport()->repaint();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const double keystroke = median(times);
    // The same keystrokes with what they posted delivered: the repaint of what they changed, as
    // the window does it.
    std::vector<double> posted;
    for (int i = 0; i < keystrokes; ++i) {
        timer.start();
        QTest::keyClick(text, i % 2 == 0 ? Qt::Key_A : Qt::Key_Backspace);
        QCoreApplication::sendPostedEvents();
        posted.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }

    QTemporaryDir folder;
    std::vector<double> saves;
    for (int i = 0; i < kSaves; ++i) {
        timer.start();
        if (!window.saveTo(folder.filePath(QStringLiteral("saved.kovra")))) {
            std::fprintf(stderr, "kovra-bench-teacher-edit: the test was not saved\n");
            return 2;
        }
        saves.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const double save = median(saves);
    const bool pass = keystroke <= kKeystrokeTargetMs && save <= kSaveTargetMs;
    std::printf("== the teacher's window, 29 photos ==\n");
    std::printf("%-36s %8.2f ms  target <= %.0f  %s  (%d keystrokes, max %.2f ms)\n",
                "check after a keystroke, median", keystroke, kKeystrokeTargetMs,
                keystroke <= kKeystrokeTargetMs ? "PASS" : "MISS", keystrokes,
                *std::max_element(times.begin(), times.end()));
    std::printf("%-36s %8.2f ms  (the repaint of what changed)\n",
                "a keystroke as the window shows it", median(posted));
    std::printf("%-36s %8.1f ms  target <= %.0f  %s  (%d saves)\n", "saving the test file, median",
                save, kSaveTargetMs, save <= kSaveTargetMs ? "PASS" : "MISS", kSaves);
    return pass ? 0 : 1;
}
