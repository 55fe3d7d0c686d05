// SPDX-License-Identifier: GPL-3.0-or-later
// The row of answer boxes and their option buttons. Up to four slots stand where the window's
// design puts them; a question that shows the fifth slot, whose design leaves it too narrow to
// read, has the five slots side by side in equal widths, and the next question of four or fewer
// has the design again.
#pragma once

namespace kovra {

class KOVRA_Prazno;

void installAnswerRow(KOVRA_Prazno &window);

} // namespace kovra
