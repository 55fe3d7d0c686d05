// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the test's questions in the teacher's window: a model over the document (number,
// the start of the text, whether it has a figure, whether it has a problem), its view, and the
// buttons that add, copy, delete and move a question.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QWidget>
#include <functional>

class QTreeView;

namespace kovra {

class TestDocument;

class QuestionListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column : int
    {
        Number,
        Text,
        Figure,
        Problem,
        Columns
    };
    // `showsProblems` tells whether the problems are marked yet (not in a new test not begun).
    QuestionListModel(TestDocument *document, std::function<bool()> showsProblems,
                      QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // The document changed: its rows again.
    void update();

private:
    // What a row shows, to tell the view only of the rows that changed: a keystroke repaints
    // one row, or none.
    struct Row
    {
        QString text;
        bool figure = false;
        bool troubled = false;
        bool operator==(const Row &) const = default;
    };

    TestDocument *m_document;
    std::function<bool()> m_showsProblems;
    std::vector<Row> m_shown; // by row
    QIcon m_warning;          // the mark of a question with a problem
};

class QuestionList : public QWidget
{
    Q_OBJECT

public:
    QuestionList(TestDocument *document, std::function<bool()> showsProblems,
                 QWidget *parent = nullptr);

    // After a change of the document, with the chosen question.
    void showCurrent(int current);
    [[nodiscard]] QuestionListModel *model() const { return m_model; }

Q_SIGNALS:
    // The teacher chose question `index`, in the list or by a button that made it.
    void chosen(int index);
    // A button made a new question, whose text the teacher writes next.
    void added();

private:
    TestDocument *m_document;
    QuestionListModel *m_model;
    QTreeView *m_view;
    int m_current = 0;
    bool m_showing = false;
};

} // namespace kovra
