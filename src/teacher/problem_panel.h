// SPDX-License-Identifier: GPL-3.0-or-later
// The problem panel of the teacher's window: what went wrong with the last thing the teacher
// did, until the teacher closes it; what opening the file found; and the test's problems, each
// a link to its field.
#pragma once

#include "content/problems.h"

#include <QWidget>

class QLabel;
class QTextBrowser;
class QUrl;

namespace kovra {

class ProblemPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ProblemPanel(QWidget *parent = nullptr);

    // What opening a file found, under its heading; shown first.
    void setOpened(const QString &heading, Problems problems);
    // The test's problems; a new test that is not begun gets a word of welcome instead.
    void showProblems(const Problems &problems, bool untouchedNewTest);
    // A failure of the last step (a file that cannot be written, a figure too large): it stays
    // until the teacher closes it or another one comes.
    void showFailure(const QString &message);
    [[nodiscard]] QString failure() const;

Q_SIGNALS:
    // The teacher followed the link of the test's problem `index`.
    void problemChosen(std::size_t index);

private:
    void linkFollowed(const QUrl &link);

    QWidget *m_failureBar;
    QLabel *m_failure;
    QTextBrowser *m_view;
    Problems m_opened;
    QString m_openedHeading;
    QString m_html; // what the view shows
};

} // namespace kovra
