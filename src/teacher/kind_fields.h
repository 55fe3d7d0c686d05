// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of a typed answer, a number and a matching question in the teacher's window: the
// answers accepted with their credits, the units, the items with their answers and the extra
// answers offered. Each edit a step of the document.
#pragma once

#include "content/problems.h"
#include "teacher/commands.h"

#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QVBoxLayout;

namespace kovra {

class RowsEditor;
class TestDocument;

class KindFields : public QWidget
{
    Q_OBJECT

public:
    explicit KindFields(TestDocument *document, QWidget *parent = nullptr);

    // Shows question `at` as the document has it, when it is of one of these kinds.
    void showQuestion(int at);
    // The field a problem of the shown question is in; none when it is in none of these.
    [[nodiscard]] QWidget *fieldOf(const Problem &problem) const;

private:
    void buildTyped();
    void buildNumber();
    void buildUnitGrading(QVBoxLayout *layout);
    void buildMatching();
    // The shown question changed by `change` as the step `edit`; `field` merges keystrokes.
    void edit(KindEdit edit, int field, const QuestionChange &change);
    // An accepted answer's text, tolerance (a number's) or credit in percent, by its column.
    void editAnswer(int row, int column, const QVariant &value);
    void showMatching(const Question &question);
    [[nodiscard]] const Question &question() const;

    TestDocument *m_document;
    int m_at = 0;
    bool m_showing = false;
    QWidget *m_typed;
    RowsEditor *m_typedAnswers;
    QCheckBox *m_caseMatters;
    QWidget *m_number;
    RowsEditor *m_values;
    RowsEditor *m_units;
    QCheckBox *m_unitsIgnored;
    QCheckBox *m_unitFirst;
    QDoubleSpinBox *m_unitPenalty; // in percent
    QCheckBox *m_penaltyOfPoint;
    QWidget *m_matching;
    RowsEditor *m_items;
    RowsEditor *m_extras;
    std::vector<int> m_extraChoices; // the choice each extra answer's row shows
};

} // namespace kovra
