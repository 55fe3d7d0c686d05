// SPDX-License-Identifier: GPL-3.0-or-later
// The chosen question in the teacher's window: its kind, its text, its choices with the right
// one or each one's credit (or the fields of another kind), its figure and its explanation, each
// edit a step of the document.
#pragma once

#include "content/problems.h"

#include <QGroupBox>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kovra {

class FigureWidget;
struct Question;
class KindFields;
class PlainTextField;
class TestDocument;

class QuestionEditor : public QGroupBox
{
    Q_OBJECT

public:
    explicit QuestionEditor(TestDocument *document, QWidget *parent = nullptr);

    // Shows question `at` (0-based) as the document has it now.
    void showQuestion(int at);
    [[nodiscard]] FigureWidget *figure() const { return m_figure; }
    [[nodiscard]] QWidget *textField() const;
    // The field a problem of the shown question is in: its kind, its text, a choice (the right
    // one for the key) or its credit, a field of its kind, its explanation or its figure; none
    // for a problem of the test.
    [[nodiscard]] QWidget *fieldOf(const Problem &problem) const;

private:
    void buildChoices(QWidget *choices);
    struct ChoiceRow;
    // A choice's tick and credit, of several right answers.
    void buildCredit(ChoiceRow &row, int c);
    void buildSeveral(QWidget *choices, QLayout *layout);
    void showChoices(const Question &question);

    TestDocument *m_document;
    int m_at = 0;
    bool m_showing = false; // the fields take the document's values, which are no edit
    QFormLayout *m_form;
    QComboBox *m_kind;
    PlainTextField *m_text;
    struct ChoiceRow
    {
        QWidget *row;
        QRadioButton *right;
        QCheckBox *ticked;      // several right answers: a right one
        QDoubleSpinBox *credit; // and its credit in percent
        QLineEdit *edit;
        QToolButton *up;
        QToolButton *down;
        QToolButton *remove;
    };
    std::array<ChoiceRow, 10> m_choices{}; // as many as several right answers may have
    QButtonGroup *m_rightChoice;
    QPushButton *m_addChoice;
    QWidget *m_choicesBox;
    QWidget *m_severalBox; // all or nothing, and the credit spread evenly
    QCheckBox *m_allOrNothing;
    KindFields *m_kindFields;
    FigureWidget *m_figure;
    PlainTextField *m_explanation;
};

} // namespace kovra
