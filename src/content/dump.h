// SPDX-License-Identifier: GPL-3.0-or-later
// The loaded set as text, one row a line, so that authors can see what the player holds.
#pragma once

#include "danni.h"
#include "test_content.h"

#include <QByteArray>

namespace kovra {

// UTF-8 lines "List1(17)[0]<TAB>text", ..., "Picture1(5)<TAB>WIDTHxHEIGHT" or "... none",
// with tab, line feed, carriage return and backslash escaped as \t \n \r \\.
// A test that draws its runs from a bigger bank adds "Draw<TAB>N" and every question of the
// bank: "Bank(k)[r]", "BankKey(k)", "BankExplanation(k)[r]", "BankFigure(k)".
QByteArray dumpContent(const KOVRA_Danni &content, const Test *test = nullptr);

// The escaping used inside dumped texts, and its inverse.
QString escapeDumpText(const QString &text);
QString unescapeDumpText(const QString &text);

} // namespace kovra
