// SPDX-License-Identifier: GPL-3.0-or-later
#include "question_list.h"

#include "teacher/document.h"
#include "teacher/window_parts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStaticText>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace kovra {

using namespace teacher;

namespace {

// Paints a row's cells with their texts laid out once: the list repaints every row whenever
// the window is exposed or scrolled, and a text laid out anew for each cell at each paint is most
// of that work.
class QuestionRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QWidget *widget = item.widget;
        QStyle *style = widget != nullptr ? widget->style() : QApplication::style();
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                               .adjusted(kMargin, 0, -kMargin, 0);
        const QStaticText *laidOut = item.text.isEmpty() ? nullptr : textOf(item);
        if (laidOut != nullptr && laidOut->size().width() > area.width()) {
            // Too wide for its column: elided as the style elides it.
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        // The background, the selection and the icon as the style draws them; the text here.
        item.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        if (laidOut == nullptr) {
            return;
        }
        painter->save();
        painter->setClipRect(area);
        painter->setPen(item.palette.color(QPalette::Normal, (item.state & QStyle::State_Selected)
                                                                 ? QPalette::HighlightedText
                                                                 : QPalette::Text));
        const qreal top = area.top() + (area.height() - laidOut->size().height()) / 2;
        painter->drawStaticText(QPointF(area.left(), top), *laidOut);
        painter->restore();
    }

private:
    const QStaticText *textOf(const QStyleOptionViewItem &item) const
    {
        // Bounded: the texts a teacher types one key after the other are each laid out once.
        if (m_texts.size() > kMostTexts) {
            m_texts.clear();
        }
        QStaticText &laidOut = m_texts[item.text];
        if (laidOut.text().isEmpty()) {
            laidOut.setText(item.text);
            laidOut.setTextFormat(Qt::PlainText);
            laidOut.prepare(QTransform(), item.font);
        }
        return &laidOut;
    }

private:
    static constexpr int kMargin = 3;
    static constexpr qsizetype kMostTexts = 1000;
    mutable QHash<QString, QStaticText> m_texts;
};

} // namespace

QuestionListModel::QuestionListModel(TestDocument *document, std::function<bool()> showsProblems,
                                     QObject *parent)
    : QAbstractTableModel(parent), m_document(document), m_showsProblems(std::move(showsProblems)),
      m_warning(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning))
{
    update();
}

int QuestionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int QuestionListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant QuestionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row &row = m_shown.at(static_cast<std::size_t>(index.row()));
    if (role == Qt::DecorationRole && index.column() == Problem && row.troubled) {
        return m_warning;
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case Number:
        return index.row() + 1;
    case Text:
        return row.text;
    case Figure:
        return row.figure ? tr("yes") : QString();
    case Problem:
        return row.troubled ? tr("problem") : QString();
    default:
        return {};
    }
}

QVariant QuestionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case Number:
        return tr("No.");
    case Text:
        return tr("Question");
    case Figure:
        return tr("Figure");
    case Problem:
        return tr("Problem");
    default:
        return {};
    }
}

void QuestionListModel::update()
{
    const auto &questions = m_document->data().questions;
    std::vector<Row> rows(questions.size());
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const kovra::Figure &figure = questions[i].figure;
        rows[i].text = shortText(questions[i].text);
        rows[i].figure = !figure.isEmpty() || !figure.missing.isEmpty();
    }
    if (m_showsProblems()) {
        for (const kovra::Problem &problem : m_document->problems()) {
            if (problem.question > 0 && problem.question <= static_cast<int>(rows.size())) {
                rows.at(static_cast<std::size_t>(problem.question - 1)).troubled = true;
            }
        }
    }
    const int before = rowCount();
    const int after = static_cast<int>(rows.size());
    if (after > before) {
        beginInsertRows({}, before, after - 1);
        m_shown.resize(rows.size());
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, after, before - 1);
        m_shown.resize(rows.size());
        endRemoveRows();
    }
    for (int i = 0; i < after; ++i) {
        Row &shown = m_shown.at(static_cast<std::size_t>(i));
        if (!(shown == rows.at(static_cast<std::size_t>(i))) || i >= before) {
            shown = std::move(rows.at(static_cast<std::size_t>(i)));
            Q_EMIT dataChanged(index(i, 0), index(i, Columns - 1));
        }
    }
}

QuestionList::QuestionList(TestDocument *document, std::function<bool()> showsProblems,
                           QWidget *parent)
    : QWidget(parent), m_document(document),
      m_model(new QuestionListModel(document, std::move(showsProblems), this)),
      m_view(new QTreeView(this))
{
    auto *layout = new QVBoxLayout(this);
    m_view->setModel(m_model);
    m_view->setAccessibleName(tr("Questions"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setItemDelegate(new QuestionRowDelegate(m_view));
    QHeaderView *header = m_view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QuestionListModel::Text, QHeaderView::Stretch);
    for (const int column :
         {QuestionListModel::Number, QuestionListModel::Figure, QuestionListModel::Problem}) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    m_view->setMinimumWidth(200);
    layout->addWidget(m_view);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !m_showing) {
                    Q_EMIT chosen(current.row());
                }
            });
    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &text, const QString &name, auto slot) {
        auto *b = new QPushButton(text, this);
        b->setAccessibleName(name);
        b->setToolTip(name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(tr("Add"), tr("Add a question"), [this] {
        // After the chosen question; the first of a test that has none.
        const int at =
            std::min(m_current + 1, static_cast<int>(m_document->data().questions.size()));
        if (m_document->addQuestion(at)) {
            Q_EMIT chosen(at);
            Q_EMIT added();
        }
    });
    button(tr("Copy"), tr("Duplicate the question"), [this] {
        if (m_document->duplicateQuestion(m_current)) {
            Q_EMIT chosen(m_current + 1);
        }
    });
    button(tr("Delete"), tr("Delete the question"),
           [this] { m_document->deleteQuestion(m_current); });
    button(QStringLiteral("↑"), tr("Move the question up"), [this] {
        if (m_document->moveQuestion(m_current, m_current - 1)) {
            Q_EMIT chosen(m_current - 1);
        }
    });
    button(QStringLiteral("↓"), tr("Move the question down"), [this] {
        if (m_document->moveQuestion(m_current, m_current + 1)) {
            Q_EMIT chosen(m_current + 1);
        }
    });
    layout->addLayout(buttons);
}

void QuestionList::showCurrent(int current)
{
    m_showing = true;
    m_current = current;
    m_model->update();
    if (m_model->rowCount() > 0) {
        m_view->setCurrentIndex(m_model->index(current, 0));
    }
    m_showing = false;
}

} // namespace kovra
