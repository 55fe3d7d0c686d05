// SPDX-License-Identifier: GPL-3.0-or-later
// Answer selection and the phrase of phrase mode.

#include "answer/answer.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/widgets.h"

namespace kovra {

void KOVRA_Prazno::Option1_Click(int index)
{
    if (recordChosenSlot(m_state, index)) {
        UpdateStatus();
    }
    recordVerdict(m_state, Danni(), index, Text2(index + 1)->text());
    setBackColor(m_picture1, layout::kGreen);
    BuildPhrase();
    Q_EMIT answered();
}

void KOVRA_Prazno::BuildPhrase()
{
    if (Danni().flag(PhraseModeRow) != 1) {
        return;
    }
    Text2(6)->setText(buildPhrase(Text2(0)->text(), Text2(m_state.ClickedOption + 1)->text()));
}

} // namespace kovra
