// SPDX-License-Identifier: GPL-3.0-or-later
#include "question_editor.h"

#include "content/danni.h"
#include "content/rules.h"
#include "teacher/document.h"
#include "teacher/fields.h"
#include "teacher/figure_widget.h"
#include "teacher/kind_fields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kovra {

QuestionEditor::QuestionEditor(TestDocument *document, QWidget *parent)
    : QGroupBox(parent), m_document(document), m_text(new PlainTextField(this))
{
    // Made in the order Tab goes through them.
    auto *form = new QFormLayout(this);
    m_form = form;
    m_kind = new QComboBox(this);
    m_kind->setAccessibleName(tr("Kind of the question"));
    // In the order of QuestionKind.
    m_kind->addItems({tr("single choice"), tr("several right answers"), tr("short answer"),
                      tr("number"), tr("matching")});
    form->addRow(tr("&Kind:"), m_kind);
    setTabOrder(m_kind, m_text);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_showing && index >= 0) {
            m_document->setKind(m_at, static_cast<QuestionKind>(index));
        }
    });
    m_text->setAccessibleName(tr("Question text"));
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 3 + 12);
    form->addRow(tr("Te&xt:"), m_text);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing) {
            m_document->setText(m_at, QuestionText::Text, 0, {m_text->toPlainText()});
        }
    });
    m_choicesBox = new QWidget(this);
    buildChoices(m_choicesBox);
    form->addRow(tr("Choices:"), m_choicesBox);
    m_kindFields = new KindFields(document, this);
    form->addRow(tr("Answers:"), m_kindFields);
    m_figure = new FigureWidget(document, this);
    form->addRow(tr("Figure:"), m_figure);
    m_explanation = new PlainTextField(this);
    m_explanation->setAccessibleName(tr("Explanation, one line a row"));
    m_explanation->setFixedHeight(m_explanation->fontMetrics().lineSpacing() * 4 + 12);
    form->addRow(tr("&Explanation:"), m_explanation);
    connect(m_explanation, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing) {
            m_document->setText(m_at, QuestionText::Explanation, 0,
                                m_explanation->toPlainText().split(QLatin1Char('\n')));
        }
    });
}

void QuestionEditor::buildChoices(QWidget *choices)
{
    // One right choice: a click on the marked one leaves it marked.
    m_rightChoice = new QButtonGroup(choices);
    m_rightChoice->setExclusive(true);
    auto *layout = new QVBoxLayout(choices);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto tool = [](QWidget *parent, const QString &text, const QString &name,
                         const QString &tip) {
        auto *button = new QToolButton(parent);
        button->setText(text);
        button->setAccessibleName(name);
        button->setToolTip(tip);
        return button;
    };
    for (int c = 0; c < static_cast<int>(m_choices.size()); ++c) {
        ChoiceRow &row = m_choices.at(static_cast<std::size_t>(c));
        row.row = new QWidget(choices);
        auto *line = new QHBoxLayout(row.row);
        line->setContentsMargins(0, 0, 0, 0);
        row.right = new QRadioButton(row.row);
        row.right->setAccessibleName(tr("Choice %1 is the right one").arg(c + 1));
        row.right->setToolTip(tr("The right choice"));
        m_rightChoice->addButton(row.right, c);
        buildCredit(row, c);
        row.edit = new QLineEdit(row.row);
        row.edit->setAccessibleName(tr("Choice %1").arg(c + 1));
        row.up = tool(row.row, QStringLiteral("↑"), tr("Move choice %1 up").arg(c + 1),
                      tr("Move the choice up"));
        row.down = tool(row.row, QStringLiteral("↓"), tr("Move choice %1 down").arg(c + 1),
                        tr("Move the choice down"));
        row.remove = tool(row.row, QStringLiteral("✕"), tr("Remove choice %1").arg(c + 1),
                          tr("Remove the choice"));
        for (QWidget *w : std::initializer_list<QWidget *>{
                 row.right, row.ticked, row.credit, row.edit, row.up, row.down, row.remove}) {
            line->addWidget(w);
        }
        line->setStretchFactor(row.edit, 1);
        layout->addWidget(row.row);
        connect(row.right, &QRadioButton::toggled, this, [this, c](bool on) {
            if (on && !m_showing) {
                m_document->setRightChoice(m_at, c);
            }
        });
        connect(row.edit, &QLineEdit::textEdited, this, [this, c](const QString &text) {
            m_document->setText(m_at, QuestionText::Choice, c, {text});
        });
        connect(row.up, &QToolButton::clicked, this,
                [this, c] { m_document->moveChoice(m_at, c, c - 1); });
        connect(row.down, &QToolButton::clicked, this,
                [this, c] { m_document->moveChoice(m_at, c, c + 1); });
        connect(row.remove, &QToolButton::clicked, this,
                [this, c] { m_document->removeChoice(m_at, c); });
    }
    m_addChoice = new QPushButton(tr("Add a choice"), choices);
    m_addChoice->setAccessibleName(tr("Add a choice"));
    layout->addWidget(m_addChoice, 0, Qt::AlignLeft);
    connect(m_addChoice, &QPushButton::clicked, this, [this] { m_document->addChoice(m_at); });
    buildSeveral(choices, layout);
}

void QuestionEditor::buildCredit(ChoiceRow &row, int c)
{
    row.ticked = new QCheckBox(tr("right"), row.row);
    row.ticked->setAccessibleName(tr("Choice %1 is a right one").arg(c + 1));
    row.credit = new QDoubleSpinBox(row.row);
    row.credit->setRange(-100, 100);
    row.credit->setDecimals(2);
    row.credit->setSuffix(QStringLiteral(" %"));
    row.credit->setAccessibleName(tr("Credit of choice %1").arg(c + 1));
    row.credit->setToolTip(tr("The credit of the choice when it is ticked"));
    connect(row.ticked, &QCheckBox::clicked, this, [this, c](bool on) {
        m_document->editKind(m_at, KindEdit::Ticked,
                             [c, on](Question &q) { q = withTicked(std::move(q), c, on); });
    });
    connect(row.credit, &QDoubleSpinBox::valueChanged, this, [this, c](double percent) {
        if (m_showing) {
            return;
        }
        m_document->editKind(
            m_at, KindEdit::Weight,
            [c, percent](Question &q) {
                q.weights.resize(std::size_t(q.choices.size()), 0.0);
                q.weights.at(std::size_t(c)) = creditOfPercent(percent);
            },
            c);
    });
}

void QuestionEditor::buildSeveral(QWidget *choices, QLayout *layout)
{
    m_severalBox = new QWidget(choices);
    auto *line = new QHBoxLayout(m_severalBox);
    line->setContentsMargins(0, 0, 0, 0);
    m_allOrNothing = new QCheckBox(tr("All or nothing"), m_severalBox);
    m_allOrNothing->setAccessibleName(m_allOrNothing->text());
    m_allOrNothing->setToolTip(tr("The credit is whole when the ticks are the right choices, "
                                  "else none"));
    auto *spread = new QPushButton(tr("Spread 100 % evenly"), m_severalBox);
    spread->setAccessibleName(tr("Spread the credit evenly over the right choices"));
    line->addWidget(m_allOrNothing);
    line->addWidget(spread);
    line->addStretch();
    layout->addWidget(m_severalBox);
    connect(m_allOrNothing, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing) {
            m_document->editKind(m_at, KindEdit::AllOrNothing,
                                 [on](Question &q) { q.allOrNothing = on; });
        }
    });
    connect(spread, &QPushButton::clicked, this, [this] {
        m_document->editKind(m_at, KindEdit::Spread,
                             [](Question &q) { q = withCreditsSpread(std::move(q)); });
    });
}

QWidget *QuestionEditor::textField() const
{
    return m_text;
}

void QuestionEditor::showQuestion(int at)
{
    const auto &questions = m_document->data().questions;
    setEnabled(!questions.empty());
    if (at < 0 || at >= static_cast<int>(questions.size())) {
        return;
    }
    m_at = at;
    m_showing = true;
    const Question &question = questions.at(static_cast<std::size_t>(at));
    setTitle(tr("Question %1").arg(at + 1));
    if (m_text->toPlainText() != question.text) {
        m_text->setPlainText(question.text);
    }
    m_kind->setCurrentIndex(static_cast<int>(question.kind));
    const bool choices =
        question.kind == QuestionKind::Single || question.kind == QuestionKind::Several;
    m_form->setRowVisible(m_choicesBox, choices);
    m_form->setRowVisible(m_kindFields, !choices);
    if (choices) {
        showChoices(question);
    } else {
        m_kindFields->showQuestion(at);
    }
    const QString explanation = question.explanation.join(QLatin1Char('\n'));
    if (m_explanation->toPlainText() != explanation) {
        m_explanation->setPlainText(explanation);
    }
    m_figure->showQuestion(at);
    m_showing = false;
}

void QuestionEditor::showChoices(const Question &question)
{
    static_assert(std::tuple_size_v<decltype(m_choices)> == kMaxSeveralChoices);
    const bool several = question.kind == QuestionKind::Several;
    const int count = static_cast<int>(question.choices.size());
    for (int c = 0; c < static_cast<int>(m_choices.size()); ++c) {
        ChoiceRow &row = m_choices.at(static_cast<std::size_t>(c));
        row.row->setVisible(c < count);
        // None is marked when no key is picked, which an exclusive group cannot show.
        m_rightChoice->setExclusive(false);
        row.right->setChecked(c < count && question.right == c);
        m_rightChoice->setExclusive(true);
        row.right->setVisible(!several);
        row.ticked->setVisible(several);
        row.credit->setVisible(several);
        if (c >= count) {
            continue;
        }
        const double weight = std::size_t(c) < question.weights.size() ? question.weights[c] : 0;
        row.ticked->setChecked(weight > 0);
        // A credit the box shows rounded is the document's still.
        if (row.credit->value() !=
            row.credit->valueFromText(row.credit->textFromValue(weight * 100))) {
            row.credit->setValue(weight * 100);
        }
        if (row.edit->text() != question.choices.at(c)) {
            row.edit->setText(question.choices.at(c));
        }
        row.up->setEnabled(c > 0);
        row.down->setEnabled(c + 1 < count);
        row.remove->setEnabled(count > KOVRA_Danni::kMinChoices);
    }
    m_addChoice->setEnabled(count < mostChoices(question.kind));
    m_severalBox->setVisible(several);
    m_allOrNothing->setChecked(question.allOrNothing);
}

QWidget *QuestionEditor::fieldOf(const Problem &problem) const
{
    const auto choice = [this](int c) {
        return m_choices.at(static_cast<std::size_t>(std::clamp(c, 0, int(m_choices.size()) - 1)))
            .edit;
    };
    const Question &question = m_document->data().questions.at(static_cast<std::size_t>(m_at));
    if (question.kind == QuestionKind::Matching || question.kind == QuestionKind::Typed ||
        question.kind == QuestionKind::Number) {
        if (QWidget *field = m_kindFields->fieldOf(problem)) {
            return field;
        }
    }
    switch (problem.place.field) {
    case ContentField::Type:
        return m_kind;
    case ContentField::Weights:
        return m_choices
            .at(static_cast<std::size_t>(
                std::clamp(problem.place.index, 0, int(m_choices.size()) - 1)))
            .credit;
    case ContentField::AllOrNothing:
        return m_allOrNothing;
    case ContentField::Text:
        return m_text;
    case ContentField::Key:
        // The key is one of the choices: its text is where a key that equals none or several
        // is mended.
        return choice(question.right);
    case ContentField::Choices:
        return choice(problem.place.index);
    case ContentField::Explanation:
        return m_explanation;
    case ContentField::Figure:
        return m_figure->chooseButton();
    default:
        return nullptr;
    }
}

} // namespace kovra
