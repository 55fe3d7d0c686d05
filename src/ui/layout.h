// SPDX-License-Identifier: GPL-3.0-or-later
// The window's design: positions and sizes in twips, colours and captions.
#pragma once

#include "twips.h"

#include <QColor>

namespace kovra::layout {

inline constexpr float kClientWidth = 10905;
inline constexpr float kClientHeight = 6945;

inline const QColor kWindowColor{192, 192, 255};
inline const QColor kLabelColor{255, 192, 128};
inline const QColor kFrameColor{128, 128, 255};
inline const QColor kOptionColor{0, 255, 0};
inline const QColor kForwardColor{255, 128, 0};
inline const QColor kBackColor{192, 64, 0};
inline const QColor kEvaluateColor{128, 128, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kGreen{0, 255, 0};
inline const QColor kReviewColor{192, 192, 255};
inline const QColor kShape1Colors[2] = {{0, 255, 0}, {0, 255, 255}};
inline const QColor kShape2Colors[2] = {{255, 128, 0}, {255, 255, 0}};

inline constexpr Twips kText1[2] = {{3600, 4800, 7215, 2055}, {4200, 6360, 6735, 1815}};
inline constexpr Twips kText2[7] = {
    {120, 480, 10635, 765},   {120, 1320, 2500, 1005},  {2640, 1320, 2500, 1005},
    {5160, 1320, 2500, 1005}, {7680, 1320, 2500, 1005}, {10320, 1320, 540, 1005},
    {120, 3120, 10635, 525},
};
inline constexpr Twips kLabel1[5] = {
    {3000, 0, 5655, 375},    {7560, 4395, 3135, 285}, {1800, 4395, 3015, 285},
    {4920, 4395, 1815, 285}, {240, 2880, 2055, 315},
};
inline constexpr Twips kFrame1{120, 2400, 10695, 495};
// Inside Frame1.
inline constexpr Twips kOption1[5] = {
    {360, 120, 1800, 285},  {2760, 120, 1800, 285}, {5280, 120, 1800, 285},
    {7800, 120, 1800, 285}, {9960, 120, 600, 285},
};
// A question that shows five slots: the answer boxes in equal widths across the question box's
// width, 120 twips apart, and each option button under its box as in the design (inside Frame1).
inline constexpr float kFiveBoxWidth = (10635 - 4 * 120) / 5.0F; // 2031
inline constexpr Twips kText2Five[5] = {
    {120 + 0 * (kFiveBoxWidth + 120), 1320, kFiveBoxWidth, 1005},
    {120 + 1 * (kFiveBoxWidth + 120), 1320, kFiveBoxWidth, 1005},
    {120 + 2 * (kFiveBoxWidth + 120), 1320, kFiveBoxWidth, 1005},
    {120 + 3 * (kFiveBoxWidth + 120), 1320, kFiveBoxWidth, 1005},
    {120 + 4 * (kFiveBoxWidth + 120), 1320, kFiveBoxWidth, 1005},
};
inline constexpr Twips kOption1Five[5] = {
    {kText2Five[0].left + 120, 120, 1800, 285}, {kText2Five[1].left + 120, 120, 1800, 285},
    {kText2Five[2].left + 120, 120, 1800, 285}, {kText2Five[3].left + 120, 120, 1800, 285},
    {kText2Five[4].left + 120, 120, 1800, 285},
};
inline constexpr Twips kCommand1[2] = {{240, 120, 1575, 285}, {9000, 120, 1575, 285}};
inline constexpr Twips kCommand2[3] = {
    {120, 4400, 1575, 285}, {360, 120, 1575, 285}, {9120, 120, 1575, 285}};
inline constexpr Twips kPicture1{2400, 2880, 6135, 200};
inline constexpr Twips kPicture2{120, 4800, 3375, 2055};
inline constexpr Twips kShape1[2] = {{120, 3700, 135, 255}, {240, 3700, 9855, 255}};
inline constexpr Twips kShape2[2] = {{120, 4000, 135, 255}, {240, 4000, 9855, 255}};

// The texts of Text1(0) and Text1(1) at design time, one line each; the instructions are 25
// lines.
inline constexpr const char *kInstructions[] = {
    "УКАЗАНИЯ",
    "Това е тест с избираем отговор: на всеки въпрос",
    "се избира точно един от предложените отговори.",
    "Особености:",
    "- редът на отговорите и редът на въпросите се сменят при всяко стартиране;",
    "- може да се покаже фразата, съставена с избрания отговор;",
    "- движещ се обект показва мястото в теста: минали и оставащи въпроси;",
    "- всеки въпрос може да има от 2 до 5 дистрактора и едно изображение.",
    "Елементи на прозореца, отгоре надолу:",
    "- бутоните \"Напред\" и \"Назад\" - към следващия и към предишния въпрос;",
    "- полето с текста на въпроса;",
    "- от 2 до 5 полета с отговори, под всяко от тях бутон за избор;",
    "- полето за фразата (при ЧЕО);",
    "- лентата за въведен отговор: зелен цвят означава, че отговорът е въведен;",
    "- бутонът \"Оценяване\", който показва резултатите",
    "  и не позволява повече промени в отговорите.",
    "Данни на резултата:",
    "- брой на верните отговори;",
    "- брой на въпросите;",
    "- процент на верните отговори.",
    "Цветове на бутоните за избор при резултата:",
    "- червен - грешен отговор;",
    "- зелен - верен отговор;",
    "- без цвят - няма въведен отговор.",
    "Успех!",
};

inline constexpr const char *kNote[] = {
    "list1(1) - верните отговори",
    "„Ученето е светлина,",
    "а неученето - тъмнина.“",
    "                Народна поговорка",
};

} // namespace kovra::layout
