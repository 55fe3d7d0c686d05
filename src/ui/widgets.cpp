// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include "content/cp1251.h"

#include <QKeyEvent>
#include <QPalette>
#include <QScrollBar>

namespace kovra {

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void TextBox::setText(const QByteArray &cp1251)
{
    if (cp1251 == m_text && !m_text.isNull()) {
        return;
    }
    m_text = cp1251;
    m_textShown = false;
    if (isVisible()) {
        showText();
    }
}

int TextBox::pageStep(const QKeyEvent *key) const
{
    if (key->modifiers() != Qt::NoModifier || verticalScrollBar()->maximum() <= 0 ||
        m_windowPages()) {
        return 0;
    }
    return key->key() == Qt::Key_PageDown ? 1 : key->key() == Qt::Key_PageUp ? -1 : 0;
}

// The window's Page Up and Page Down are shortcuts; a box that takes the key overrides them.
bool TextBox::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        pageStep(static_cast<QKeyEvent *>(event)) != 0) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

// A read-only box moves no cursor on these keys: the page scrolls.
void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (const int step = pageStep(event); step != 0) {
        verticalScrollBar()->triggerAction(step > 0 ? QAbstractSlider::SliderPageStepAdd
                                                    : QAbstractSlider::SliderPageStepSub);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::showEvent(QShowEvent *event)
{
    showText();
    QPlainTextEdit::showEvent(event);
}

void TextBox::showText()
{
    if (m_textShown) {
        return;
    }
    m_textShown = true;
    QString shown = fromCp1251(m_text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(shown);
}

Label::Label(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
}

void Label::setCaption(const QByteArray &cp1251)
{
    m_caption = cp1251;
    setText(fromCp1251(cp1251));
}

void setBackColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor backColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

} // namespace kovra
