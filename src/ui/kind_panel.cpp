// SPDX-License-Identifier: GPL-3.0-or-later
#include "kind_panel.h"

#include "layout.h"
#include "widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace kovra {

namespace {

// More items than this stand in two columns, more than twice this in three.
constexpr int kRowsPerColumn = 4;

// A line's colour: its background and the field it is typed in.
void colourLine(QLineEdit *line, const QColor &color)
{
    setBackColor(line, color);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Base, color);
    line->setPalette(palette);
}

} // namespace

void markTick(QCheckBox *tick, bool right)
{
    const bool ticked = tick->isChecked();
    tick->setEnabled(false);
    setBackColor(tick, right ? layout::kGreen : ticked ? layout::kRed : layout::kReviewColor);
    tick->setAccessibleDescription(right && ticked ? QStringLiteral("Отбелязаният отговор е верен")
                                   : right ? QStringLiteral("Това е верен отговор")
                                   : ticked ? QStringLiteral("Отбелязаният отговор е грешен")
                                            : QString());
}

QColor creditColor(double credit)
{
    if (credit >= 1) {
        return layout::kGreen;
    }
    return credit > 0 ? QColor(255, 255, 0) : layout::kRed;
}

KindPanel::KindPanel(QWidget *parent)
    : QWidget(parent), m_line(new QLineEdit(this)), m_grid(new QWidget(this)),
      m_layout(new QGridLayout(m_grid))
{
    setObjectName(QStringLiteral("KindPanel"));
    setBackColor(this, layout::kWindowColor);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_line);
    column->addWidget(m_grid);
    column->addStretch();
    m_line->setObjectName(QStringLiteral("TypedAnswer"));
    m_line->setMaxLength(int(kMaxTypedChars));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setVerticalSpacing(4);
    connect(m_line, &QLineEdit::textEdited, this, &KindPanel::changed);
}

void KindPanel::clearItems()
{
    for (QLabel *label : m_labels) {
        delete label;
    }
    for (QComboBox *pick : m_picks) {
        delete pick;
    }
    for (QCheckBox *tick : m_ticks) {
        delete tick;
    }
    m_labels.clear();
    m_picks.clear();
    m_ticks.clear();
}

void KindPanel::showTyped(const QString &typed, bool number)
{
    clearItems();
    m_shows = Shows::Line;
    m_grid->hide();
    m_line->show();
    m_line->setReadOnly(false);
    colourLine(m_line, QColor(Qt::white));
    m_line->setText(typed);
    m_line->setPlaceholderText(number ? QStringLiteral("Въведете число")
                                      : QStringLiteral("Въведете отговора"));
    m_line->setAccessibleName(m_line->placeholderText());
}

void KindPanel::showMatching(const QStringList &items, const QStringList &offered,
                             const QStringList &picked)
{
    clearItems();
    m_shows = Shows::Items;
    m_line->hide();
    m_grid->show();
    const int columns = 1 + (int(items.size()) - 1) / kRowsPerColumn;
    const int rows = 1 + (int(items.size()) - 1) / std::max(columns, 1);
    for (int c = 0; c < 6; ++c) {
        m_layout->setColumnStretch(c, c < 2 * columns ? 1 : 0);
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto *label = new QLabel(items.at(i), m_grid);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        auto *pick = new QComboBox(m_grid);
        pick->setObjectName(QStringLiteral("Match_%1").arg(i));
        pick->addItem(QStringLiteral("—"));
        pick->addItems(offered);
        pick->setAccessibleName(items.at(i));
        label->setBuddy(pick);
        const qsizetype at = picked.value(i).isEmpty() ? -1 : offered.indexOf(picked.value(i));
        pick->setCurrentIndex(int(at) + 1);
        const int row = int(i) % rows;
        const int column = 2 * (int(i) / rows);
        m_layout->addWidget(label, row, column);
        m_layout->addWidget(pick, row, column + 1);
        connect(pick, &QComboBox::activated, this, &KindPanel::changed);
        m_labels.push_back(label);
        m_picks.push_back(pick);
    }
}

void KindPanel::showTicks(const QStringList &shown, const QStringList &picked)
{
    clearItems();
    m_shows = Shows::Ticks;
    m_line->hide();
    m_grid->show();
    // Two columns, down the first; three past eight, so that four rows hold them all.
    const int columns = shown.size() > 2 * kRowsPerColumn ? 3 : 2;
    const int rows = std::max(1, int(shown.size() + columns - 1) / columns);
    for (int c = 0; c < 6; ++c) {
        m_layout->setColumnStretch(c, c < columns ? 1 : 0);
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        // A '&' shown as itself, not as the mark of a shortcut key.
        auto *tick =
            new QCheckBox(QString(shown.at(i)).replace(u'&', QStringLiteral("&&")), m_grid);
        tick->setObjectName(QStringLiteral("Ticked_%1").arg(i));
        tick->setToolTip(shown.at(i));
        // Told as the five places' boxes are, by a letter and the choice.
        tick->setAccessibleName(
            QStringLiteral("Отговор %1: %2").arg(QChar(u'A' + int(i))).arg(shown.at(i)));
        setBackColor(tick, layout::kOptionColor);
        QPalette palette = tick->palette(); // readable on its mark once disabled
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(Qt::black));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(Qt::black));
        tick->setPalette(palette);
        tick->setChecked(picked.contains(shown.at(i)));
        m_layout->addWidget(tick, int(i) % rows, int(i) / rows);
        connect(tick, &QCheckBox::clicked, this, &KindPanel::changed);
        m_ticks.push_back(tick);
    }
    m_tickTexts = shown;
}

void KindPanel::showReview(const Question &question, const Response &response)
{
    if (question.kind == QuestionKind::Matching) {
        for (std::size_t i = 0; i < m_picks.size(); ++i) {
            const QString right =
                question.choices.value(i < question.matches.size() ? question.matches[i] : -1);
            m_picks[i]->setEnabled(false);
            const bool pickedRight =
                !right.isEmpty() && response.picked.value(qsizetype(i)) == right;
            setBackColor(m_labels[i], pickedRight ? layout::kGreen : layout::kRed);
        }
        return;
    }
    if (m_shows == Shows::Ticks) {
        for (std::size_t i = 0; i < m_ticks.size(); ++i) {
            QCheckBox *tick = m_ticks[i];
            const auto at = question.choices.indexOf(m_tickTexts.value(qsizetype(i)));
            const bool right = at >= 0 && std::size_t(at) < question.weights.size() &&
                               question.weights[std::size_t(at)] > 0;
            markTick(tick, right);
        }
        return;
    }
    m_line->setReadOnly(true);
    colourLine(m_line, creditColor(creditOf(question, response)));
}

Response KindPanel::response() const
{
    Response response;
    if (m_shows == Shows::Line) {
        response.typed = m_line->text();
        return response;
    }
    if (m_shows == Shows::Ticks) {
        for (std::size_t i = 0; i < m_ticks.size(); ++i) {
            if (m_ticks[i]->isChecked()) {
                response.picked << m_tickTexts.value(qsizetype(i));
            }
        }
        return response;
    }
    for (const QComboBox *pick : m_picks) {
        response.picked << (pick->currentIndex() > 0 ? pick->currentText() : QString());
    }
    return response;
}

} // namespace kovra
