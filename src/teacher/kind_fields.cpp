// SPDX-License-Identifier: GPL-3.0-or-later
#include "kind_fields.h"

#include "content/danni.h"
#include "content/rules.h"
#include "teacher/document.h"
#include "teacher/rows_editor.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

using Type = RowsEditor::Type;

// The field a keystroke edits, for the steps of one field to merge: its row and column.
int fieldId(int row, int column)
{
    return row * 4 + column;
}

QVBoxLayout *pageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

QLabel *hint(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

KindFields::KindFields(TestDocument *document, QWidget *parent)
    : QWidget(parent), m_document(document)
{
    auto *layout = pageLayout(this);
    buildTyped();
    buildNumber();
    buildMatching();
    for (QWidget *page : {m_typed, m_number, m_matching}) {
        layout->addWidget(page);
    }
}

const Question &KindFields::question() const
{
    return m_document->data().questions.at(static_cast<std::size_t>(m_at));
}

void KindFields::edit(KindEdit edit, int field, const QuestionChange &change)
{
    if (m_showing || m_at >= static_cast<int>(m_document->data().questions.size())) {
        return;
    }
    m_document->editKind(m_at, edit, change, field);
}

void KindFields::editAnswer(int row, int column, const QVariant &value)
{
    const bool number = question().kind == QuestionKind::Number;
    edit(KindEdit::Answer, fieldId(row, column), [row, column, value, number](Question &q) {
        if (row >= static_cast<int>(q.accepted.size())) {
            return;
        }
        Accepted &accepted = q.accepted[std::size_t(row)];
        if (column == 0) {
            accepted.text = value.toString();
        } else if (number && column == 1) {
            accepted.tolerance = value.toDouble();
        } else {
            accepted.credit = creditOfPercent(value.toDouble());
        }
    });
}

void KindFields::buildTyped()
{
    m_typed = new QWidget(this);
    auto *layout = pageLayout(m_typed);
    m_typedAnswers =
        new RowsEditor({{tr("Accepted answer"), tr("Accepted answer %1")},
                        {tr("Credit"), tr("Credit of answer %1"), Type::Percent, 0, 100}},
                       tr("Add an accepted answer"), tr("Remove accepted answer %1"), m_typed);
    layout->addWidget(m_typedAnswers);
    layout->addWidget(hint(tr("A * stands for any text, \\* for a star itself."), m_typed));
    m_caseMatters = new QCheckBox(tr("Capital letters matter"), m_typed);
    m_caseMatters->setAccessibleName(m_caseMatters->text());
    layout->addWidget(m_caseMatters);
    connect(m_typedAnswers, &RowsEditor::edited, this, &KindFields::editAnswer);
    connect(m_caseMatters, &QCheckBox::toggled, this, [this](bool on) {
        edit(KindEdit::CaseMatters, -1, [on](Question &q) { q.caseMatters = on; });
    });
}

void KindFields::buildNumber()
{
    m_number = new QWidget(this);
    auto *layout = pageLayout(m_number);
    m_values =
        new RowsEditor({{tr("Accepted value"), tr("Accepted value %1")},
                        {tr("Tolerance ±"), tr("Tolerance of value %1"), Type::Number, 0, 1e12},
                        {tr("Credit"), tr("Credit of value %1"), Type::Percent, 0, 100}},
                       tr("Add an accepted value"), tr("Remove accepted value %1"), m_number);
    layout->addWidget(m_values);
    layout->addWidget(hint(tr("A * accepts any number."), m_number));
    m_units =
        new RowsEditor({{tr("Unit"), tr("Unit %1")},
                        {tr("Multiplier"), tr("Multiplier of unit %1"), Type::Number, -1e12, 1e12}},
                       tr("Add a unit"), tr("Remove unit %1"), m_number);
    layout->addWidget(m_units);
    layout->addWidget(
        hint(tr("A number typed with a unit is divided by its multiplier before it is marked."),
             m_number));
    m_unitsIgnored = new QCheckBox(tr("No units: any text after the number is let be"), m_number);
    m_unitsIgnored->setAccessibleName(m_unitsIgnored->text());
    layout->addWidget(m_unitsIgnored);
    buildUnitGrading(layout);
    connect(m_values, &RowsEditor::edited, this, &KindFields::editAnswer);
    connect(m_units, &RowsEditor::edited, this, [this](int row, int column, const QVariant &value) {
        edit(KindEdit::Unit, fieldId(row, column), [row, column, value](Question &q) {
            if (row < static_cast<int>(q.units.size())) {
                Unit &unit = q.units[std::size_t(row)];
                if (column == 0) {
                    unit.name = value.toString();
                } else {
                    unit.multiplier = value.toDouble();
                }
            }
        });
    });
    connect(m_units, &RowsEditor::added, this,
            [this] { edit(KindEdit::AddUnit, -1, [](Question &q) { q.units.push_back({}); }); });
    connect(m_units, &RowsEditor::removed, this, [this](int row) {
        edit(KindEdit::RemoveUnit, -1, [row](Question &q) {
            if (row < static_cast<int>(q.units.size())) {
                q.units.erase(q.units.begin() + row);
            }
        });
    });
    connect(m_unitsIgnored, &QCheckBox::toggled, this, [this](bool on) {
        edit(KindEdit::UnitsIgnored, -1, [on](Question &q) { q.unitsIgnored = on; });
    });
    for (RowsEditor *answers : {m_typedAnswers, m_values}) {
        connect(answers, &RowsEditor::added, this, [this] {
            edit(KindEdit::AddAnswer, -1, [](Question &q) { q.accepted.push_back({}); });
        });
        connect(answers, &RowsEditor::removed, this, [this](int row) {
            edit(KindEdit::RemoveAnswer, -1, [row](Question &q) {
                if (row < static_cast<int>(q.accepted.size())) {
                    q.accepted.erase(q.accepted.begin() + row);
                }
            });
        });
    }
}

// Where the unit is written, and what a number typed without one of its units loses.
void KindFields::buildUnitGrading(QVBoxLayout *layout)
{
    m_unitFirst = new QCheckBox(tr("The unit is written before the number (€ 5)"), m_number);
    m_unitFirst->setAccessibleName(m_unitFirst->text());
    layout->addWidget(m_unitFirst);
    auto *row = new QHBoxLayout;
    auto *label =
        new QLabel(tr("Without one of the units, or with another, the answer loses:"), m_number);
    label->setWordWrap(true);
    m_unitPenalty = new QDoubleSpinBox(m_number);
    m_unitPenalty->setRange(0, 100);
    m_unitPenalty->setDecimals(1);
    m_unitPenalty->setSuffix(QStringLiteral(" %"));
    m_unitPenalty->setSpecialValueText(tr("nothing: a unit may be left off"));
    m_unitPenalty->setAccessibleName(tr("Penalty for a number without one of its units"));
    label->setBuddy(m_unitPenalty);
    row->addWidget(label, 1);
    row->addWidget(m_unitPenalty);
    layout->addLayout(row);
    m_penaltyOfPoint =
        new QCheckBox(tr("Taken off the point, not a share of the answer's credit"), m_number);
    m_penaltyOfPoint->setAccessibleName(m_penaltyOfPoint->text());
    layout->addWidget(m_penaltyOfPoint);
    connect(m_unitFirst, &QCheckBox::toggled, this, [this](bool on) {
        edit(KindEdit::UnitFirst, -1, [on](Question &q) { q.unitFirst = on; });
    });
    connect(m_unitPenalty, &QDoubleSpinBox::valueChanged, this, [this](double percent) {
        m_penaltyOfPoint->setEnabled(percent > 0);
        edit(KindEdit::UnitPenalty, 1, [percent](Question &q) { q.unitPenalty = percent / 100; });
    });
    connect(m_penaltyOfPoint, &QCheckBox::toggled, this, [this](bool on) {
        edit(KindEdit::UnitPenalty, -1, [on](Question &q) { q.unitPenaltyOfQuestion = on; });
    });
}

void KindFields::buildMatching()
{
    m_matching = new QWidget(this);
    auto *layout = pageLayout(m_matching);
    m_items =
        new RowsEditor({{tr("Item"), tr("Item %1")}, {tr("Its answer"), tr("Answer of item %1")}},
                       tr("Add an item"), tr("Remove item %1"), m_matching);
    layout->addWidget(m_items);
    layout->addWidget(hint(tr("Items of the same answer share it."), m_matching));
    m_extras = new RowsEditor({{tr("Extra answers offered, of no item"), tr("Extra answer %1")}},
                              tr("Add an extra answer"), tr("Remove extra answer %1"), m_matching);
    layout->addWidget(m_extras);
    connect(m_items, &RowsEditor::edited, this, [this](int row, int column, const QVariant &value) {
        if (column == 0) {
            edit(KindEdit::Item, fieldId(row, column), [row, value](Question &q) {
                if (row < q.items.size()) {
                    q.items[row] = value.toString();
                }
            });
            return;
        }
        edit(KindEdit::ItemAnswer, fieldId(row, column),
             [&](Question &q) { q = withItemAnswer(std::move(q), row, value.toString()); });
    });
    connect(m_items, &RowsEditor::added, this, [this] {
        edit(KindEdit::AddItem, -1, [](Question &q) {
            q.matches.resize(std::size_t(q.items.size()), -1);
            q.items << QString();
            q.matches.push_back(-1);
        });
    });
    connect(m_items, &RowsEditor::removed, this, [this](int row) {
        edit(KindEdit::RemoveItem, -1, [row](Question &q) { q = withoutItem(std::move(q), row); });
    });
    connect(m_extras, &RowsEditor::edited, this, [this](int row, int, const QVariant &value) {
        if (row < static_cast<int>(m_extraChoices.size())) {
            m_document->setText(m_at, QuestionText::Choice, m_extraChoices.at(std::size_t(row)),
                                {value.toString()});
        }
    });
    connect(m_extras, &RowsEditor::added, this,
            [this] { edit(KindEdit::AddExtra, -1, [](Question &q) { q.choices << QString(); }); });
    connect(m_extras, &RowsEditor::removed, this, [this](int row) {
        const int choice = m_extraChoices.at(std::size_t(row));
        edit(KindEdit::RemoveExtra, -1,
             [choice](Question &q) { q = withoutChoice(std::move(q), choice); });
    });
}

void KindFields::showQuestion(int at)
{
    if (at < 0 || at >= static_cast<int>(m_document->data().questions.size())) {
        return;
    }
    m_at = at;
    m_showing = true;
    const Question &q = question();
    const bool number = q.kind == QuestionKind::Number;
    m_typed->setVisible(q.kind == QuestionKind::Typed);
    m_number->setVisible(number);
    m_matching->setVisible(q.kind == QuestionKind::Matching);
    std::vector<QVariantList> rows;
    for (const Accepted &accepted : q.accepted) {
        rows.push_back(number
                           ? QVariantList{accepted.text, accepted.tolerance, accepted.credit * 100}
                           : QVariantList{accepted.text, accepted.credit * 100});
    }
    (number ? m_values : m_typedAnswers)->showRows(rows, 1, kMaxAcceptedEdited);
    m_caseMatters->setChecked(q.caseMatters);
    rows.clear();
    for (const Unit &unit : q.units) {
        rows.push_back({unit.name, unit.multiplier});
    }
    m_units->showRows(rows, 0, kMaxUnitsEdited);
    m_unitsIgnored->setChecked(q.unitsIgnored);
    m_unitFirst->setChecked(q.unitFirst);
    m_unitPenalty->setValue(q.unitPenalty * 100);
    m_penaltyOfPoint->setChecked(q.unitPenaltyOfQuestion);
    m_penaltyOfPoint->setEnabled(q.unitPenalty > 0);
    showMatching(q);
    m_showing = false;
}

void KindFields::showMatching(const Question &q)
{
    std::vector<QVariantList> rows;
    for (qsizetype i = 0; i < q.items.size(); ++i) {
        const int match = std::size_t(i) < q.matches.size() ? q.matches[std::size_t(i)] : -1;
        rows.push_back({q.items.at(i), q.choices.value(match)});
    }
    m_items->showRows(rows, KOVRA_Danni::kMinChoices, kMaxItems);
    m_extraChoices = extraAnswers(q);
    rows.clear();
    for (const int choice : m_extraChoices) {
        rows.push_back({q.choices.at(choice)});
    }
    const int matched = static_cast<int>(q.choices.size() - qsizetype(m_extraChoices.size()));
    m_extras->showRows(rows, 0, static_cast<int>(kMaxMatchAnswers) - matched);
}

QWidget *KindFields::fieldOf(const Problem &problem) const
{
    const Question &q = question();
    const int index = problem.place.index;
    RowsEditor *answers = q.kind == QuestionKind::Number ? m_values : m_typedAnswers;
    switch (problem.place.field) {
    case ContentField::Answers:
        return index >= 0 ? answers->field(index, 0)
                          : answers->field(0, q.kind == QuestionKind::Number ? 2 : 1);
    case ContentField::CaseMatters:
        return m_caseMatters;
    case ContentField::Units:
        return index >= 0 ? m_units->field(index, 0) : static_cast<QWidget *>(m_units->addButton());
    case ContentField::UnitsIgnored:
        return m_unitsIgnored;
    case ContentField::UnitFirst:
        return m_unitFirst;
    case ContentField::UnitPenalty:
        return m_unitPenalty;
    case ContentField::UnitPenaltyOfQuestion:
        return m_penaltyOfPoint;
    case ContentField::Items:
        return m_items->field(std::max(index, 0), 0);
    case ContentField::Matches:
        return m_items->field(std::max(index, 0), 1);
    case ContentField::Choices: {
        const auto item = std::find(q.matches.begin(), q.matches.end(), index);
        if (index >= 0 && item != q.matches.end()) {
            return m_items->field(static_cast<int>(item - q.matches.begin()), 1);
        }
        const auto extra = std::find(m_extraChoices.begin(), m_extraChoices.end(), index);
        return extra != m_extraChoices.end()
                   ? m_extras->field(static_cast<int>(extra - m_extraChoices.begin()), 0)
                   : static_cast<QWidget *>(m_extras->addButton());
    }
    default:
        return nullptr;
    }
}

} // namespace kovra
