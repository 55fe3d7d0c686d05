// SPDX-License-Identifier: GPL-3.0-or-later
#include "pupil_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

PupilDialog::PupilDialog(const QString &title, std::optional<int> forMarks, QWidget *parent)
    : QDialog(parent), m_name(new QLineEdit(this)), m_group(new QLineEdit(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(QStringLiteral("КОВРА"));
    // A test for marks says what is coming: the time, and that the teacher marks it.
    const QString about =
        !forMarks       ? QStringLiteral("Резултатът ви ще бъде записан.")
        : *forMarks > 0 ? QStringLiteral("Тест за оценка, %1 минути: отговорите ви ще бъдат "
                                         "предадени на учителя.")
                              .arg(*forMarks)
                        : QStringLiteral("Тест за оценка: отговорите ви ще бъдат предадени на "
                                         "учителя.");
    auto *heading = new QLabel(QStringLiteral("<b>%1</b><br>%2 Попълнете името и класа си:")
                                   .arg(title.toHtmlEscaped(), about),
                               this);
    heading->setWordWrap(true);
    m_name->setMaxLength(static_cast<int>(kMaxPupilNameChars));
    m_group->setMaxLength(static_cast<int>(kMaxPupilNameChars));
    m_name->setPlaceholderText(QStringLiteral("напр. Иван Петров"));
    m_group->setPlaceholderText(QStringLiteral("напр. 7а"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Име и фамилия:"), m_name);
    form->addRow(QStringLiteral("&Клас:"), m_group);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Започни"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отказ"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    connect(m_name, &QLineEdit::textChanged, this, &PupilDialog::updateOk);
    connect(m_group, &QLineEdit::textChanged, this, &PupilDialog::updateOk);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateOk();
    setMinimumWidth(360);
}

Pupil PupilDialog::pupil() const
{
    return {m_name->text().simplified(), m_group->text().simplified()};
}

void PupilDialog::reject()
{
    if (m_asking != nullptr) {
        return;
    }
    m_asking = new QMessageBox(QMessageBox::Question, windowTitle(),
                               QStringLiteral("Без име и клас тестът не започва и програмата "
                                              "ще се затвори. Да се затвори ли?"),
                               QMessageBox::NoButton, this);
    m_asking->setObjectName(QStringLiteral("endQuestion"));
    m_asking->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *end = m_asking->addButton(QStringLiteral("Затвори"), QMessageBox::AcceptRole);
    m_asking->setDefaultButton(
        m_asking->addButton(QStringLiteral("Назад към името"), QMessageBox::RejectRole));
    connect(m_asking, &QMessageBox::finished, this, [this, end] {
        const bool ending = m_asking->clickedButton() == end;
        m_asking = nullptr;
        if (ending) {
            QDialog::reject();
        } else {
            m_name->setFocus();
        }
    });
    m_asking->open();
}

void PupilDialog::updateOk()
{
    const Pupil typed = pupil();
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(!typed.name.isEmpty() && !typed.group.isEmpty());
}

} // namespace kovra
