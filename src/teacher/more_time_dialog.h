// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of the pupils' copies with more time that a test for marks gets beside its
// teacher's test: a quarter, a half, twice the time.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;

namespace kovra {

class MoreTimeDialog : public QDialog
{
    Q_OBJECT

public:
    // `minutes`: the time limit of the pupils' copy, which each choice names made longer.
    explicit MoreTimeDialog(int minutes, QWidget *parent = nullptr);

    // The percents of the time chosen (150: half as much again), in kMoreTimePercents' order.
    [[nodiscard]] std::vector<int> percents() const;

private:
    std::vector<QCheckBox *> m_boxes;
};

} // namespace kovra
