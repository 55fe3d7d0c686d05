// SPDX-License-Identifier: GPL-3.0-or-later
// What the window offers beyond the mouse: names for assistive technology and keys.
#pragma once

namespace kovra {

class KOVRA_Prazno;

// Gives every widget a Bulgarian accessible name, and the bars, the indicator and the option
// buttons interfaces that tell the run's state in words.
void installAccessibility(KOVRA_Prazno &window);

// Keys 1 to 5 and A to E choose the answer in that slot, as a click on its option button;
// Page Down and Page Up act as the shown forward and back buttons of the current mode, except
// in a focused text box that holds more than it shows, which they scroll (TextBox).
void installKeyboard(KOVRA_Prazno &window);

} // namespace kovra
