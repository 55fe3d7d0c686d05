// SPDX-License-Identifier: GPL-3.0-or-later
#include "rows_editor.h"

#include "teacher/fields.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

// Any number, in as many digits as it needs and no more.
class NumberBox : public QDoubleSpinBox
{
public:
    explicit NumberBox(QWidget *parent) : QDoubleSpinBox(parent) { setDecimals(10); }

protected:
    [[nodiscard]] QString textFromValue(double value) const override
    {
        return locale().toString(value, 'g', 12);
    }
};

} // namespace

RowsEditor::RowsEditor(std::vector<Column> columns, const QString &addText,
                       const QString &removeName, QWidget *parent)
    : QWidget(parent), m_columns(std::move(columns)), m_removeName(removeName)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new QGridLayout;
    for (int c = 0; c < static_cast<int>(m_columns.size()); ++c) {
        m_grid->addWidget(new QLabel(m_columns.at(std::size_t(c)).heading, this), 0, c);
        m_grid->setColumnStretch(c, m_columns.at(std::size_t(c)).type == Type::Text ? 3 : 1);
    }
    layout->addLayout(m_grid);
    m_add = new QPushButton(addText, this);
    m_add->setAccessibleName(addText);
    layout->addWidget(m_add, 0, Qt::AlignLeft);
    connect(m_add, &QPushButton::clicked, this, &RowsEditor::added);
}

void RowsEditor::addRow()
{
    const int row = static_cast<int>(m_rows.size());
    Row made;
    for (int c = 0; c < static_cast<int>(m_columns.size()); ++c) {
        const Column &column = m_columns.at(std::size_t(c));
        QWidget *field = nullptr;
        if (column.type == Type::Text) {
            auto *edit = new QLineEdit(this);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, row, c](const QString &text) { Q_EMIT edited(row, c, text); });
            field = edit;
        } else {
            auto *box =
                column.type == Type::Percent ? new QDoubleSpinBox(this) : new NumberBox(this);
            if (column.type == Type::Percent) {
                box->setDecimals(2);
                box->setSuffix(QStringLiteral(" %"));
            }
            box->setRange(column.least, column.most);
            connect(box, &QDoubleSpinBox::valueChanged, this, [this, row, c](double value) {
                if (!m_showing) {
                    Q_EMIT edited(row, c, value);
                }
            });
            field = box;
        }
        field->setAccessibleName(column.name.arg(row + 1));
        field->installEventFilter(this);
        m_grid->addWidget(field, row + 1, c);
        made.fields.push_back(field);
    }
    made.remove = new QToolButton(this);
    made.remove->setText(QStringLiteral("✕"));
    made.remove->setAccessibleName(m_removeName.arg(row + 1));
    made.remove->setToolTip(m_removeName.arg(row + 1));
    m_grid->addWidget(made.remove, row + 1, static_cast<int>(m_columns.size()));
    connect(made.remove, &QToolButton::clicked, this, [this, row] { Q_EMIT removed(row); });
    // Tab goes through the rows in order, then to the button that adds one.
    QWidget *before = m_rows.empty() ? m_add->previousInFocusChain() : m_rows.back().remove;
    for (QWidget *field : made.fields) {
        setTabOrder(before, field);
        before = field;
    }
    setTabOrder(before, made.remove);
    setTabOrder(made.remove, m_add);
    m_rows.push_back(made);
}

void RowsEditor::setValue(int row, int column, const QVariant &value)
{
    QWidget *field = m_rows.at(std::size_t(row)).fields.at(std::size_t(column));
    if (auto *edit = qobject_cast<QLineEdit *>(field)) {
        if (edit->text() != value.toString()) {
            edit->setText(value.toString());
        }
    } else if (auto *box = qobject_cast<QDoubleSpinBox *>(field)) {
        // A value the box cannot show (a credit of a file beyond 100 %) stays the document's.
        const double shown = value.toDouble();
        if (box->value() != box->valueFromText(box->textFromValue(shown))) {
            box->setValue(shown);
        }
    }
}

void RowsEditor::showRows(const std::vector<QVariantList> &rows, int least, int most)
{
    m_showing = true;
    const int count = static_cast<int>(rows.size());
    while (static_cast<int>(m_rows.size()) < count) {
        addRow();
    }
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        Row &row = m_rows.at(std::size_t(r));
        for (QWidget *field : row.fields) {
            field->setVisible(r < count);
        }
        row.remove->setVisible(r < count);
        row.remove->setEnabled(count > least);
        for (int c = 0; r < count && c < static_cast<int>(row.fields.size()); ++c) {
            setValue(r, c, rows.at(std::size_t(r)).value(c));
        }
    }
    m_shown = count;
    m_add->setEnabled(count < most);
    m_showing = false;
}

QWidget *RowsEditor::field(int row, int column) const
{
    if (row < 0 || row >= m_shown || column < 0 || column >= static_cast<int>(m_columns.size())) {
        return nullptr;
    }
    return m_rows.at(std::size_t(row)).fields.at(std::size_t(column));
}

bool RowsEditor::eventFilter(QObject *watched, QEvent *event)
{
    // A field that would take Undo or Redo for its own typing leaves it to the window's actions.
    if (event->type() == QEvent::ShortcutOverride &&
        isHistoryKey(*static_cast<const QKeyEvent *>(event))) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kovra
