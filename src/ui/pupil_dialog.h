// SPDX-License-Identifier: GPL-3.0-or-later
// The small dialog that asks the pupil's name and class before a test that keeps results.
#pragma once

#include "results/recorder.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;

namespace kovra {

class PupilDialog : public QDialog
{
    Q_OBJECT
public:
    // `title`: the test's title, shown above the fields.
    explicit PupilDialog(const QString &title, QWidget *parent = nullptr);

    // The name and the class as typed, blanks trimmed; OK takes them only when neither is empty.
    [[nodiscard]] Pupil pupil() const;
    [[nodiscard]] QLineEdit *nameEdit() const { return m_name; }
    [[nodiscard]] QLineEdit *classEdit() const { return m_group; }
    [[nodiscard]] QDialogButtonBox *buttons() const { return m_buttons; }

private Q_SLOTS:
    void updateOk();

private:
    QLineEdit *m_name = nullptr;
    QLineEdit *m_group = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

} // namespace kovra
