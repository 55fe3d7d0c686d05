// SPDX-License-Identifier: GPL-3.0-or-later
#include "fields.h"

#include <QKeyEvent>
#include <QMimeData>

namespace kovra {

PlainTextField::PlainTextField(QWidget *parent) : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setTabChangesFocus(true);
}

bool PlainTextField::canInsertFromMimeData(const QMimeData *source) const
{
    return source != nullptr && source->hasText();
}

void PlainTextField::insertFromMimeData(const QMimeData *source)
{
    // Plain text, as the field holds: the toolkit's own insertion dies on the data the X11
    // clipboard gives while no program owns it.
    if (source != nullptr && source->hasText()) {
        insertPlainText(source->text());
    }
}

bool isHistoryKey(const QKeyEvent &event)
{
    return event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo) ||
           event.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

} // namespace kovra
