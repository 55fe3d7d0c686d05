// SPDX-License-Identifier: GPL-3.0-or-later
// The window's widget kinds. Each keeps the exact Windows-1251 text it was given, as the
// program reads it back; the widget shows it as Unicode.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWidget>
#include <functional>

namespace kovra {

// A read-only, multi-line text box with a vertical scroll bar. A hidden box keeps its text
// and lays it out when it is shown: the start-up sets texts that are replaced or stay hidden
// before the window first appears. Focused and holding more than it shows, the box takes
// Page Up and Page Down for itself and scrolls by a page, unless the window takes them
// (setWindowPages); otherwise they go on to the window.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent);
    void setText(const QByteArray &cp1251);
    [[nodiscard]] const QByteArray &text() const { return m_text; }
    // While `taken` says so, Page Up and Page Down go to the window whatever the box holds.
    void setWindowPages(std::function<bool()> taken) { m_windowPages = std::move(taken); }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showText();
    // The page step a key asks of this box: +1 or -1, or 0 when the key is not for it.
    [[nodiscard]] int pageStep(const QKeyEvent *key) const;

    QByteArray m_text;
    bool m_textShown = true;
    std::function<bool()> m_windowPages = [] { return false; };
};

// A label with a background colour.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent);
    void setCaption(const QByteArray &cp1251);
    [[nodiscard]] const QByteArray &caption() const { return m_caption; }

private:
    QByteArray m_caption;
};

// An option button; a class of its own so that assistive technology gets the window's words
// for it.
class OptionButton : public QRadioButton
{
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
};

// Sets the colour a widget fills its background with (a push button's face included).
void setBackColor(QWidget *widget, const QColor &color);
[[nodiscard]] QColor backColor(const QWidget *widget);

} // namespace kovra
