// SPDX-License-Identifier: GPL-3.0-or-later
#include "more_time_dialog.h"

#include "model/test.h"
#include "results/marks_files.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

MoreTimeDialog::MoreTimeDialog(int minutes, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Pupils' copies with more time"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("For the pupils who need more time: copies beside the teacher's "
                                "test, each with a longer time limit."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    Test limited;
    limited.forMarks.emplace().minutes = minutes;
    for (const int percent : kMoreTimePercents) {
        const QString factor = QLocale().toString(percent / 100.0, 'g', 3);
        const int longer = pupilsCopy(limited, percent).forMarks->minutes;
        auto *box = new QCheckBox(tr("×%1: %2 min").arg(factor).arg(longer), this);
        box->setAccessibleName(box->text());
        layout->addWidget(box);
        m_boxes.push_back(box);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Write"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<int> MoreTimeDialog::percents() const
{
    std::vector<int> chosen;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked()) {
            chosen.push_back(kMoreTimePercents.at(i));
        }
    }
    return chosen;
}

} // namespace kovra
