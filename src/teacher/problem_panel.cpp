// SPDX-License-Identifier: GPL-3.0-or-later
#include "problem_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kovra {

ProblemPanel::ProblemPanel(QWidget *parent)
    : QWidget(parent), m_failureBar(new QWidget(this)), m_failure(new QLabel(m_failureBar)),
      m_view(new QTextBrowser(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    auto *title = new QLabel(tr("Problems"), this);
    m_view->setOpenLinks(false);
    m_view->setAccessibleName(tr("Problems"));
    title->setBuddy(m_view);

    auto *bar = new QHBoxLayout(m_failureBar);
    bar->setContentsMargins(6, 4, 6, 4);
    m_failureBar->setAutoFillBackground(true);
    m_failureBar->setStyleSheet(QStringLiteral("background: #fde7e9; color: #7a0010"));
    m_failure->setWordWrap(true);
    m_failure->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_failure->setAccessibleName(tr("What went wrong"));
    auto *close = new QToolButton(m_failureBar);
    close->setText(QStringLiteral("✕"));
    close->setAccessibleName(tr("Close the message"));
    close->setToolTip(tr("Close the message"));
    bar->addWidget(m_failure, 1);
    bar->addWidget(close);
    m_failureBar->hide();
    connect(close, &QToolButton::clicked, m_failureBar, &QWidget::hide);

    layout->addWidget(title);
    layout->addWidget(m_failureBar);
    layout->addWidget(m_view);
    connect(m_view, &QTextBrowser::anchorClicked, this, &ProblemPanel::linkFollowed);
}

void ProblemPanel::setOpened(const QString &heading, Problems problems)
{
    m_openedHeading = heading;
    m_opened = std::move(problems);
}

void ProblemPanel::showProblems(const Problems &problems, bool untouchedNewTest)
{
    QString html;
    // What opening a file found comes first: it is what the teacher asked about.
    if (!m_opened.empty()) {
        html += QStringLiteral("<p><b>%1</b></p>").arg(m_openedHeading.toHtmlEscaped());
        for (const Problem &problem : m_opened) {
            html += QStringLiteral("<div>%1</div>")
                        .arg(describe(problem, Audience::Window).toHtmlEscaped());
        }
        html += QStringLiteral("<hr/>");
    }
    if (untouchedNewTest) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("A new test: write each question and its choices, and mark the right "
                            "choice. What is still missing is shown here as you go.")
                             .toHtmlEscaped());
    } else if (problems.empty()) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("No problems: the test can be saved.").toHtmlEscaped());
    }
    for (std::size_t i = 0; !untouchedNewTest && i < problems.size(); ++i) {
        const Problem &problem = problems.at(i);
        // An error in red, a warning in the text's colour; describe() says which it is.
        html += QStringLiteral("<div><a href=\"problem:%1\" style=\"color: %2\">%3</a></div>")
                    .arg(i)
                    .arg(problem.severity == Severity::Error ? QStringLiteral("#b00020")
                                                             : QStringLiteral("#5c4400"))
                    .arg(describe(problem, Audience::Window).toHtmlEscaped());
    }
    if (html != m_html) {
        m_html = html;
        m_view->setHtml(html);
    }
}

void ProblemPanel::showFailure(const QString &message)
{
    m_failure->setText(message);
    m_failureBar->show();
}

QString ProblemPanel::failure() const
{
    return m_failureBar->isHidden() ? QString() : m_failure->text();
}

void ProblemPanel::linkFollowed(const QUrl &link)
{
    if (link.scheme() == QLatin1String("problem")) {
        Q_EMIT problemChosen(link.path().toULongLong());
    }
}

} // namespace kovra
