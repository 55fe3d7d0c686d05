// SPDX-License-Identifier: GPL-3.0-or-later
// The chosen question in the teacher's window: its text, its choices with the right one, its
// figure and its explanation, each edit a step of the document.
#pragma once

#include "content/problems.h"

#include <QGroupBox>
#include <array>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kovra {

class FigureWidget;
class PlainTextField;
class TestDocument;

class QuestionEditor : public QGroupBox
{
    Q_OBJECT

public:
    QuestionEditor(TestDocument *document, QWidget *parent = nullptr);

    // Shows question `at` (0-based) as the document has it now.
    void showQuestion(int at);
    [[nodiscard]] FigureWidget *figure() const { return m_figure; }
    [[nodiscard]] QWidget *textField() const;
    // The field a problem of the shown question is in: its text, a choice (the right one for the
    // key), its explanation or its figure; none for a problem of the test.
    [[nodiscard]] QWidget *fieldOf(const Problem &problem) const;

private:
    void buildChoices(QWidget *choices);

    TestDocument *m_document;
    int m_at = 0;
    bool m_showing = false; // the fields take the document's values, which are no edit
    PlainTextField *m_text;
    struct ChoiceRow
    {
        QWidget *row;
        QRadioButton *right;
        QLineEdit *edit;
        QToolButton *up;
        QToolButton *down;
        QToolButton *remove;
    };
    std::array<ChoiceRow, 5> m_choices{};
    QButtonGroup *m_rightChoice;
    QPushButton *m_addChoice;
    FigureWidget *m_figure;
    PlainTextField *m_explanation;
};

} // namespace kovra
