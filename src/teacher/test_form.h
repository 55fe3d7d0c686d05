// SPDX-License-Identifier: GPL-3.0-or-later
// The test's own fields in the teacher's window: its title, its kind (for practice or for marks)
// and time limit, settings, the questions each pupil gets and where the pupils' results go.
#pragma once

#include <QGroupBox>
#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kovra {

class TestDocument;
struct TestSettings;

class TestForm : public QGroupBox
{
    Q_OBJECT

public:
    TestForm(TestDocument *document, QWidget *parent = nullptr);

    // The fields as the document has them now.
    void showTest();
    [[nodiscard]] QWidget *titleField() const;

private:
    // The fields whose keystrokes become one step.
    enum Field : int
    {
        Title,
        Draw,
        Folder,
        Minutes,
    };
    void addKind(QFormLayout *form);
    QCheckBox *flag(const QString &text, bool TestSettings::*member);
    void edit(const QString &label, int field, const std::function<void(TestSettings &)> &change);

    TestDocument *m_document;
    bool m_showing = false;
    QLineEdit *m_title;
    QComboBox *m_kind;
    QSpinBox *m_minutes;
    QSpinBox *m_draw;
    QCheckBox *m_phrase;
    QCheckBox *m_askAgain;
    QCheckBox *m_explanations;
    QCheckBox *m_reviewButtons;
    QCheckBox *m_collect;
    QLineEdit *m_resultsFolder;
    QPushButton *m_chooseFolder;
};

} // namespace kovra
