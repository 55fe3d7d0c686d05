// SPDX-License-Identifier: GPL-3.0-or-later
// Where a pupil answers a question that is typed or matched: a line to type a word or a number
// into, or each item with a drop-down of the answers offered; and a question of several right
// answers with more choices than the window's five places, a check box each. In the review it
// shows the answer as given, read-only, in the colour of its credit.
#pragma once

#include "model/marking.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace kovra {

class KindPanel : public QWidget
{
    Q_OBJECT
public:
    explicit KindPanel(QWidget *parent);

    // A line to type into, holding what was typed.
    void showTyped(const QString &typed, bool number);
    // Each item with the answers offered, in their order, and the ones picked.
    void showMatching(const QStringList &items, const QStringList &offered,
                      const QStringList &picked);
    // A check box for each choice, in their order, those picked ticked.
    void showTicks(const QStringList &shown, const QStringList &picked);
    // Answering ends: the answer stays as given, coloured right, partly right or wrong, each
    // item by its own pair.
    void showReview(const Question &question, const Response &response);

    [[nodiscard]] Response response() const;
    // Whether it shows a line to type into.
    [[nodiscard]] bool typing() const { return m_shows == Shows::Line; }
    [[nodiscard]] QLineEdit *line() const { return m_line; }
    [[nodiscard]] QComboBox *pick(int item) const { return m_picks.at(std::size_t(item)); }
    [[nodiscard]] int items() const { return int(m_picks.size()); }
    [[nodiscard]] QCheckBox *tick(int choice) const { return m_ticks.at(std::size_t(choice)); }
    [[nodiscard]] int ticks() const { return int(m_ticks.size()); }

Q_SIGNALS:
    // The pupil typed, or picked an answer.
    void changed();

private:
    void clearItems();

    QLineEdit *m_line;
    QWidget *m_grid;
    QGridLayout *m_layout;
    std::vector<QLabel *> m_labels;
    std::vector<QComboBox *> m_picks;
    std::vector<QCheckBox *> m_ticks;
    QStringList m_tickTexts; // each box's choice
    enum class Shows
    {
        Line,
        Items,
        Ticks,
    } m_shows = Shows::Line;
};

// A check box of several right answers in the review: disabled, in the colour of its mark, the
// mark told in words to a screen reader.
void markTick(QCheckBox *tick, bool right);

// The colour an answer of `credit` is marked in: right, partly right, wrong.
[[nodiscard]] QColor creditColor(double credit);

} // namespace kovra
