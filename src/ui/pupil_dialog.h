// SPDX-License-Identifier: GPL-3.0-or-later
// The small dialog that asks the pupil's name and class before a test that keeps results.
#pragma once

#include "results/recorder.h"

#include <QDialog>
#include <optional>

class QDialogButtonBox;
class QLineEdit;
class QMessageBox;

namespace kovra {

class PupilDialog : public QDialog
{
    Q_OBJECT
public:
    // `title`: the test's title, shown above the fields; `forMarks`: a test for marks' time
    // limit in minutes (0: none), none for practice.
    explicit PupilDialog(const QString &title, std::optional<int> forMarks = std::nullopt,
                         QWidget *parent = nullptr);

    // The name and the class as typed, blanks trimmed; OK takes them only when neither is empty.
    [[nodiscard]] Pupil pupil() const;
    [[nodiscard]] QLineEdit *nameEdit() const { return m_name; }
    [[nodiscard]] QLineEdit *classEdit() const { return m_group; }
    [[nodiscard]] QDialogButtonBox *buttons() const { return m_buttons; }

    // "Отказ", Esc or closing the dialog: the pupil is asked first, since without a name the
    // test does not start and the program ends.
    void reject() override;

private Q_SLOTS:
    void updateOk();

private:
    QLineEdit *m_name = nullptr;
    QLineEdit *m_group = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QMessageBox *m_asking = nullptr; // the question whether to end, while it is open
};

} // namespace kovra
