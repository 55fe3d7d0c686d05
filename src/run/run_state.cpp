// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_state.h"

#include "../content/cp1251.h"
#include "../content/textnum.h"

namespace kovra {

RunState::RunState()
    : m_lists{{
          {w1251("Номера на въпроси")},
          {w1251("Отметнат отговор")},
          {w1251("Последователност от отговори")},
          {"Weren Neweren Otgowor"},
          {"Weren Otgowor/Distraktor"},
          {"2", "3", "5", "7", "11", "13", "17", "19", "23", "29", "31"},
          {"Pyrwi", "Posleden"},
      }}
{}

std::int16_t RunState::questionAt(int position) const
{
    return readIndex(List2(QuestionOrderList).list(position));
}

bool RunState::isAnswered(int position) const
{
    return readNumber(List2(VerdictList).list(position)) != -1;
}

} // namespace kovra
