// SPDX-License-Identifier: GPL-3.0-or-later
// The editing fields of the teacher's window: a text field whose paste survives a clipboard
// that holds nothing, and which leaves undo to the test's one history.
#pragma once

#include <QPlainTextEdit>

class QKeyEvent;

namespace kovra {

class PlainTextField : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit PlainTextField(QWidget *parent = nullptr);

protected:
    // A paste with no data on the clipboard (its owner has closed) pastes nothing; what has
    // text pastes it as plain text.
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

// Undo or redo, which the window's history takes from every field.
[[nodiscard]] bool isHistoryKey(const QKeyEvent &event);

} // namespace kovra
