// SPDX-License-Identifier: GPL-3.0-or-later
// kovra-figures: draws the figures of the built-in geometry test.
//   kovra-figures FOLDER
// Writes q01.jpg ... q20.jpg (one for every question that has a figure) into FOLDER.
//
// A figure is described in model coordinates (y upwards, any unit) together with marks whose
// size is given in pixels: letters, tick marks, angle arcs. The drawing is then scaled to the
// largest size at which every line and every label fits inside the picture, and centred.

#include "figure.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

using namespace kovra::figures;

constexpr int kJpegQuality = 95;

// Letters, equal-side ticks and base of the usual isosceles triangle ABC with apex C.
QPointF centreOf(const Isosceles &t)
{
    return (t.a + t.b + t.c) / 3.0;
}

// The triangle with ticks on its equal legs and its vertices named base, base, apex; an empty
// name leaves that vertex for the figure to label itself.
void drawIsosceles(Figure &f, const Isosceles &t, const QString &a = QStringLiteral("A"),
                   const QString &b = QStringLiteral("B"), const QString &c = QStringLiteral("C"))
{
    f.triangle(t.a, t.b, t.c);
    f.ticks(t.a, t.c, 1);
    f.ticks(t.b, t.c, 1);
    const QPointF centre = centreOf(t);
    for (const auto &[point, name] : {std::pair{t.a, a}, std::pair{t.b, b}, std::pair{t.c, c}}) {
        if (!name.isEmpty()) {
            f.vertex(point, name, centre);
        }
    }
}

// The bisector of the base angle at A, from A to D on the leg BC, its two halves marked with
// arcs of the given radius.
void drawBisectorFromA(Figure &f, const Isosceles &t, double halfAngleDegrees, double radius)
{
    const QPointF d = intersection(
        t.a,
        t.a + QPointF(std::cos(radians(halfAngleDegrees)), std::sin(radians(halfAngleDegrees))),
        t.b, t.c);
    f.segment(t.a, d, Stroke::Line);
    f.vertex(d, QStringLiteral("D"), t.a);
    f.angle(t.a, t.b, d, QString(), radius, true);
    f.angle(t.a, d, t.c, QString(), radius, true);
}

// Question 1: apex angle 40°, AD bisects the angle at A.
Figure question1()
{
    Figure f({150, 146});
    const Isosceles t = byApexAngle(2.0, 40.0);
    drawIsosceles(f, t);
    drawBisectorFromA(f, t, 35.0, 22.0);
    f.angle(t.c, t.a, t.b, QStringLiteral("40°"), 24.0);
    return f;
}

// Question 2: perimeter 30 cm, base 3 cm shorter than a leg (legs 11, base 8).
Figure question2()
{
    Figure f({170, 140});
    const Isosceles t = bySides(8.0, 11.0);
    drawIsosceles(f, t);
    const QPointF centre = centreOf(t);
    f.side(t.a, t.c, QStringLiteral("x"), centre);
    f.side(t.b, t.c, QStringLiteral("x"), centre);
    f.side(t.a, t.b, QStringLiteral("x - 3"), centre);
    f.text({-7.0, 10.2}, QStringLiteral("P = 30 cm"));
    return f;
}

// Question 3: legs 13 cm, base 10 cm, altitude CH.
Figure question3()
{
    Figure f({180, 140});
    const Isosceles t = bySides(10.0, 13.0);
    const QPointF h(0.0, 0.0);
    drawIsosceles(f, t);
    f.segment(t.c, h, Stroke::Line);
    f.rightAngle(h, t.b, t.c);
    f.vertexTowards(h, QStringLiteral("H"), {-1.0, 1.0});
    const QPointF centre = centreOf(t);
    f.side(t.a, t.c, QStringLiteral("13 cm"), centre);
    f.side(t.b, t.c, QStringLiteral("13 cm"), centre);
    f.side(t.a, t.b, QStringLiteral("10 cm"), centre);
    return f;
}

// Question 4: exterior angle 110° at the apex C (side BC produced beyond C).
Figure question4()
{
    Figure f({190, 130});
    const Isosceles t = byApexAngle(2.0, 70.0);
    const QPointF e = t.c + (t.c - t.b) * 0.4;
    drawIsosceles(f, t, QStringLiteral("A"), QStringLiteral("B"), QString());
    f.segment(t.c, e, Stroke::Dashed);
    f.vertexInCorner(t.c, QStringLiteral("C"), 1, 1);
    f.angle(t.c, e, t.a, QStringLiteral("110°"), 14.0);
    return f;
}

// Question 5: legs 9 cm, apex angle 120°, altitude CH.
Figure question5()
{
    Figure f({200, 104});
    const Isosceles t = byApexAngle(2.0 * 9.0 * std::cos(radians(30.0)), 120.0);
    const QPointF h(0.0, 0.0);
    drawIsosceles(f, t);
    f.segment(t.c, h, Stroke::Line);
    f.rightAngle(h, t.b, t.c);
    f.vertexTowards(h, QStringLiteral("H"), {0.0, -1.0});
    const QPointF centre = centreOf(t);
    f.side(t.a, t.c, QStringLiteral("9 cm"), centre);
    f.side(t.b, t.c, QStringLiteral("9 cm"), centre);
    f.angle(t.c, t.a, t.b, QStringLiteral("120°"), 11.0, false, 0.22);
    return f;
}

// Question 6: leg 15 cm, median CM 12 cm (base 18).
Figure question6()
{
    Figure f({200, 140});
    const Isosceles t = bySides(18.0, 15.0);
    const QPointF m(0.0, 0.0);
    drawIsosceles(f, t);
    f.segment(t.c, m, Stroke::Line);
    f.ticks(t.a, m, 2);
    f.ticks(m, t.b, 2);
    f.vertexTowards(m, QStringLiteral("M"), {0.0, -1.0});
    const QPointF centre = centreOf(t);
    f.side(t.a, t.c, QStringLiteral("15 cm"), centre);
    f.side(t.c, m, QStringLiteral("12 cm"), t.a, 0.72);
    return f;
}

// Question 7: right isosceles triangle KLM with the right angle at M.
Figure question7()
{
    Figure f({170, 110});
    const Isosceles t{{-1.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}};
    drawIsosceles(f, t, QStringLiteral("K"), QStringLiteral("L"), QStringLiteral("M"));
    f.rightAngle(t.c, t.a, t.b);
    f.angle(t.a, t.b, t.c, QStringLiteral("?"), 16.0);
    return f;
}

// Question 9: perimeter 50 cm, base 10 cm (legs 20).
Figure question9()
{
    Figure f({140, 146});
    const Isosceles t = bySides(10.0, 20.0);
    drawIsosceles(f, t);
    f.side(t.a, t.b, QStringLiteral("10 cm"), t.c);
    f.text({-9.0, 17.0}, QStringLiteral("P = 50 cm"));
    return f;
}

// Question 10: apex angle 36°, base 6 cm, AD bisects the angle at A.
Figure question10()
{
    Figure f({130, 146});
    const Isosceles t = byApexAngle(6.0, 36.0);
    drawIsosceles(f, t);
    drawBisectorFromA(f, t, 36.0, 20.0);
    f.side(t.a, t.b, QStringLiteral("6 cm"), t.c);
    f.angle(t.c, t.a, t.b, QStringLiteral("36°"), 26.0);
    return f;
}

// Question 11: the apex angle is 30° more than a base angle (50°, 50°, 80°).
Figure question11()
{
    Figure f({190, 130});
    const Isosceles t = byApexAngle(2.0, 80.0);
    drawIsosceles(f, t);
    f.angle(t.a, t.b, t.c, QStringLiteral("x"), 14.0);
    f.angle(t.b, t.c, t.a, QStringLiteral("x"), 14.0);
    f.angle(t.c, t.a, t.b, QStringLiteral("x + 30°"), 14.0);
    return f;
}

// Question 12: triangle PQR with 50° at P and 80° at Q, drawn with PQ as the bottom side.
Figure question12()
{
    Figure f({170, 130});
    const QPointF p(0.0, 0.0);
    const QPointF q(1.0, 0.0);
    const double pr = std::sin(radians(80.0)) / std::sin(radians(50.0));
    const QPointF r = p + pr * QPointF(std::cos(radians(50.0)), std::sin(radians(50.0)));
    f.triangle(p, q, r);
    const QPointF centre = (p + q + r) / 3.0;
    f.vertex(p, QStringLiteral("P"), centre);
    f.vertex(q, QStringLiteral("Q"), centre);
    f.vertex(r, QStringLiteral("R"), centre);
    f.angle(p, q, r, QStringLiteral("50°"), 14.0);
    f.angle(q, r, p, QStringLiteral("80°"), 12.0);
    return f;
}

// Question 13: AB = BC = 7 cm, AC = 10 cm, drawn with AC at the bottom.
Figure question13()
{
    Figure f({200, 120});
    const Isosceles t = bySides(10.0, 7.0);
    const QPointF a = t.a;
    const QPointF c = t.b;
    const QPointF b = t.c;
    f.triangle(a, b, c);
    const QPointF centre = (a + b + c) / 3.0;
    f.vertex(a, QStringLiteral("A"), centre);
    f.vertex(b, QStringLiteral("B"), centre);
    f.vertex(c, QStringLiteral("C"), centre);
    f.side(a, b, QStringLiteral("7 cm"), centre);
    f.side(b, c, QStringLiteral("7 cm"), centre);
    f.side(a, c, QStringLiteral("10 cm"), centre);
    return f;
}

// Question 14: base 4 cm, legs 8 cm.
Figure question14()
{
    Figure f({130, 140});
    const Isosceles t = bySides(4.0, 8.0);
    drawIsosceles(f, t);
    const QPointF centre = centreOf(t);
    f.side(t.a, t.b, QStringLiteral("4 cm"), centre);
    f.side(t.a, t.c, QStringLiteral("8 cm"), centre);
    return f;
}

// Question 15: exterior angle 115° at the base vertex A (side BA produced beyond A).
Figure question15()
{
    Figure f({190, 140});
    const Isosceles t = byApexAngle(2.0, 50.0);
    const QPointF e = t.a + (t.a - t.b) * 0.45;
    f.triangle(t.a, t.b, t.c);
    f.ticks(t.a, t.c, 1);
    f.ticks(t.b, t.c, 1);
    f.vertexInCorner(t.a, QStringLiteral("A"), 1, -1);
    f.vertex(t.b, QStringLiteral("B"), (t.a + t.b + t.c) / 3.0);
    f.vertex(t.c, QStringLiteral("C"), (t.a + t.b + t.c) / 3.0);
    f.segment(t.a, e, Stroke::Dashed);
    f.angle(t.a, t.c, e, QStringLiteral("115°"), 12.0);
    f.angle(t.c, t.a, t.b, QStringLiteral("?"), 14.0);
    return f;
}

// Question 16: the axis of symmetry CM through the apex and the middle of the base.
Figure question16()
{
    Figure f({170, 140});
    const Isosceles t = byApexAngle(2.0, 56.0);
    const QPointF m(0.0, 0.0);
    drawIsosceles(f, t, QStringLiteral("A"), QStringLiteral("B"), QString());
    f.segment({0.0, t.c.y() + 0.35}, {0.0, -0.3}, Stroke::Dashed);
    f.ticks(t.a, m, 2);
    f.ticks(m, t.b, 2);
    f.rightAngle(m, t.b, t.c);
    f.vertexInCorner(m, QStringLiteral("M"), -1, -1);
    f.vertexInCorner(t.c, QStringLiteral("C"), 1, 1);
    return f;
}

// Question 19: MN = MP and 60° at M.
Figure question19()
{
    Figure f({150, 130});
    const Isosceles t = byApexAngle(2.0, 60.0);
    drawIsosceles(f, t, QStringLiteral("N"), QStringLiteral("P"), QStringLiteral("M"));
    f.angle(t.c, t.a, t.b, QStringLiteral("60°"), 13.0);
    return f;
}

// Question 20: the altitude CH makes 25° with the leg BC (apex angle 50°).
Figure question20()
{
    Figure f({160, 140});
    const Isosceles t = byApexAngle(2.0, 50.0);
    const QPointF h(0.0, 0.0);
    drawIsosceles(f, t);
    f.segment(t.c, h, Stroke::Line);
    f.rightAngle(h, t.b, t.c);
    f.vertexTowards(h, QStringLiteral("H"), {0.0, -1.0});
    f.angle(t.c, h, t.b, QStringLiteral("25°"), 20.0);
    f.angle(t.b, t.c, t.a, QStringLiteral("?"), 13.0);
    return f;
}

struct Entry
{
    int question;
    Figure (*draw)();
};

const Entry kFigures[] = {
    {1, question1},   {2, question2},   {3, question3},   {4, question4},   {5, question5},
    {6, question6},   {7, question7},   {9, question9},   {10, question10}, {11, question11},
    {12, question12}, {13, question13}, {14, question14}, {15, question15}, {16, question16},
    {19, question19}, {20, question20},
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        std::fputs("usage: kovra-figures FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(args.first());
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "kovra-figures: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    for (const Entry &entry : kFigures) {
        const QString name = QStringLiteral("q%1.jpg").arg(entry.question, 2, 10, QLatin1Char('0'));
        const QString path = folder.filePath(name);
        if (!entry.draw().render().save(path, "JPG", kJpegQuality)) {
            std::fprintf(stderr, "kovra-figures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
