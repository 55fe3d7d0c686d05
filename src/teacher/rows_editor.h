// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of fields under their headings, a button that adds a row and on each row one that takes
// it away: the answers a question accepts, a number's units, the items of a matching question.
// Each field the teacher edits is told with its row and column; the fields leave Undo and Redo
// to the window's one history.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <vector>

class QGridLayout;
class QPushButton;
class QToolButton;

namespace kovra {

class RowsEditor : public QWidget
{
    Q_OBJECT

public:
    enum class Type
    {
        Text,    // a line: a QString
        Percent, // a credit in percent: a double
        Number,  // any number: a double
    };
    struct Column
    {
        QString heading;
        QString name; // the accessible name of its field, %1 the row's number
        Type type = Type::Text;
        double least = 0;
        double most = 100;
    };

    RowsEditor(std::vector<Column> columns, const QString &addText, const QString &removeName,
               QWidget *parent = nullptr);

    // Shows these rows, a value a column; rows may be added up to `most` and taken away down
    // to `least`.
    void showRows(const std::vector<QVariantList> &rows, int least, int most);
    [[nodiscard]] QWidget *field(int row, int column) const;
    [[nodiscard]] QPushButton *addButton() const { return m_add; }

Q_SIGNALS:
    void edited(int row, int column, const QVariant &value);
    void added();
    void removed(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addRow();
    void setValue(int row, int column, const QVariant &value);

    struct Row
    {
        std::vector<QWidget *> fields;
        QToolButton *remove;
    };
    std::vector<Column> m_columns;
    QString m_removeName;
    QGridLayout *m_grid;
    std::vector<Row> m_rows;
    int m_shown = 0;
    QPushButton *m_add;
    bool m_showing = false; // the fields take the document's values, which are no edit
};

} // namespace kovra
