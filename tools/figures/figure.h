// SPDX-License-Identifier: GPL-3.0-or-later
// A figure of the built-in geometry test as kovra-figures draws it: described in model
// coordinates (y upwards, any unit) with marks whose size is given in pixels, then scaled to the
// largest size at which every line and label fits, and centred.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace kovra::figures {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kMargin = 3.0; // pixels left free at every edge

inline double radians(double degrees)
{
    return degrees * kPi / 180.0;
}

inline double length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

inline QPointF unit(QPointF v)
{
    return v / length(v);
}

// A model direction as a pixel direction: the picture's y axis points downwards.
inline QPointF toPixels(QPointF modelDirection)
{
    return unit({modelDirection.x(), -modelDirection.y()});
}

// The point where line p1p2 meets line p3p4.
inline QPointF intersection(QPointF p1, QPointF p2, QPointF p3, QPointF p4)
{
    const QPointF d1 = p2 - p1;
    const QPointF d2 = p4 - p3;
    const double denominator = d1.x() * d2.y() - d1.y() * d2.x();
    const QPointF w = p3 - p1;
    const double t = (w.x() * d2.y() - w.y() * d2.x()) / denominator;
    return p1 + t * d1;
}

// The vertices of an isosceles triangle with base AB on the x axis, centred at the origin.
struct Isosceles
{
    QPointF a, b, c;
};

inline Isosceles byApexAngle(double base, double apexDegrees)
{
    const double height = base / 2.0 / std::tan(radians(apexDegrees) / 2.0);
    return {{-base / 2.0, 0.0}, {base / 2.0, 0.0}, {0.0, height}};
}

inline Isosceles bySides(double base, double leg)
{
    return {{-base / 2.0, 0.0}, {base / 2.0, 0.0}, {0.0, std::sqrt(leg * leg - base * base / 4.0)}};
}

enum class Stroke
{
    Side,
    Line,
    Dashed,
    Mark
};

class Figure
{
public:
    explicit Figure(QSize size) : m_size(size)
    {
        m_letterFont = QFont(QStringLiteral("DejaVu Serif"));
        m_letterFont.setPixelSize(13);
        m_letterFont.setItalic(true);
        m_numberFont = QFont(QStringLiteral("DejaVu Sans"));
        m_numberFont.setPixelSize(11);
    }

    void segment(QPointF a, QPointF b, Stroke stroke = Stroke::Side)
    {
        m_paths.push_back({{{a, {}}, {b, {}}}, stroke});
    }

    void triangle(QPointF a, QPointF b, QPointF c)
    {
        segment(a, b);
        segment(b, c);
        segment(c, a);
    }

    // Equal sides carry the same number of short strokes across their middle.
    void ticks(QPointF a, QPointF b, int count)
    {
        const QPointF middle = (a + b) / 2.0;
        const QPointF along = toPixels(b - a);
        const QPointF across(-along.y(), along.x());
        for (int k = 0; k < count; ++k) {
            const QPointF centre = along * (3.0 * (k - (count - 1) / 2.0));
            m_paths.push_back(
                {{{middle, centre - across * 4.5}, {middle, centre + across * 4.5}}, Stroke::Mark});
        }
    }

    // A vertex letter just beyond the vertex, on the side away from the given point.
    void vertex(QPointF at, const QString &name, QPointF awayFrom)
    {
        vertexTowards(at, name, at - awayFrom);
    }

    // A vertex letter placed in a model direction from the vertex.
    void vertexTowards(QPointF at, const QString &name, QPointF direction)
    {
        place(at, toPixels(direction), 2.5, name, m_letterFont);
    }

    // A vertex letter wholly inside one quarter around the vertex (signs of the model x and y),
    // for a vertex crossed by lines in both directions.
    void vertexInCorner(QPointF at, const QString &name, int xSign, int ySign)
    {
        const QSizeF box = boxOf(name, m_letterFont);
        m_labels.push_back(
            {at,
             {xSign * (box.width() / 2.0 + 3.5), -ySign * (box.height() / 2.0 + 1.0)},
             name,
             m_letterFont});
    }

    // A length or name written beside the middle of a segment, on the side away from a point;
    // `at` moves it along the segment from a (0) to b (1). It keeps clear of tick marks.
    void side(QPointF a, QPointF b, const QString &text, QPointF awayFrom, double at = 0.5)
    {
        const QPointF middle = a + (b - a) * at;
        QPointF normal = toPixels(QPointF(-(b - a).y(), (b - a).x()));
        const QPointF away = toPixels(middle - awayFrom);
        if (QPointF::dotProduct(normal, away) < 0) {
            normal = -normal;
        }
        place(middle, normal, 5.5, text, m_numberFont);
    }

    // Free text centred at a model point.
    void text(QPointF at, const QString &text) { m_labels.push_back({at, {}, text, m_numberFont}); }

    // The angle at vertex between the rays towards a and b, marked by an arc (with a stroke
    // across it when `marked`, for angles known to be equal) and labelled inside the angle.
    // `where` moves the label between the ray towards a (0) and the ray towards b (1).
    void angle(QPointF vertex, QPointF a, QPointF b, const QString &label, double radius = 13.0,
               bool marked = false, double where = 0.5)
    {
        const QPointF da = toPixels(a - vertex);
        const QPointF db = toPixels(b - vertex);
        const double start = std::atan2(da.y(), da.x());
        double sweep = std::atan2(db.y(), db.x()) - start;
        while (sweep > kPi) {
            sweep -= 2.0 * kPi;
        }
        while (sweep <= -kPi) {
            sweep += 2.0 * kPi;
        }
        Path arc{{}, Stroke::Mark};
        const int steps = 24;
        for (int i = 0; i <= steps; ++i) {
            const double t = start + sweep * i / steps;
            arc.nodes.push_back({vertex, QPointF(std::cos(t), std::sin(t)) * radius});
        }
        m_paths.push_back(arc);
        if (marked) {
            const double t = start + sweep / 2.0;
            const QPointF d(std::cos(t), std::sin(t));
            m_paths.push_back(
                {{{vertex, d * (radius - 4.0)}, {vertex, d * (radius + 4.0)}}, Stroke::Mark});
        }
        if (label.isEmpty()) {
            return;
        }
        // The label sits on a ray inside the angle, as close to the vertex as it can without
        // touching the arc or either side.
        const double t = start + sweep * where;
        const QPointF direction(std::cos(t), std::sin(t));
        const QSizeF box = boxOf(label, m_numberFont);
        const auto support = [&](QPointF n) {
            return box.width() / 2.0 * std::abs(n.x()) + box.height() / 2.0 * std::abs(n.y());
        };
        double distance = radius + support(direction) + 1.5;
        for (const double ray : {start, start + sweep}) {
            const double apart = std::abs(std::sin(t - ray));
            if (apart > 1e-6) {
                const QPointF normal(-std::sin(ray), std::cos(ray));
                distance = std::max(distance, (support(normal) + 2.0) / apart);
            }
        }
        m_labels.push_back({vertex, direction * distance, label, m_numberFont});
    }

    // The square mark of a right angle at vertex between the rays towards a and b.
    void rightAngle(QPointF vertex, QPointF a, QPointF b)
    {
        const double size = 6.0;
        const QPointF da = toPixels(a - vertex) * size;
        const QPointF db = toPixels(b - vertex) * size;
        m_paths.push_back({{{vertex, da}, {vertex, da + db}, {vertex, db}}, Stroke::Mark});
    }

    QImage render() const
    {
        const Placement at = fit();
        QImage image(m_size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (const Path &path : m_paths) {
            painter.setPen(pen(path.stroke));
            QPainterPath line;
            line.moveTo(at(path.nodes.front()));
            for (std::size_t i = 1; i < path.nodes.size(); ++i) {
                line.lineTo(at(path.nodes[i]));
            }
            painter.drawPath(line);
        }
        painter.setPen(Qt::black);
        for (const Label &label : m_labels) {
            painter.setFont(label.font);
            const QSizeF box = boxOf(label.text, label.font);
            const QPointF centre = at({label.anchor, label.offset});
            painter.drawText(QRectF(centre - QPointF(box.width(), box.height()) / 2.0, box),
                             Qt::AlignCenter, label.text);
        }
        return image;
    }

private:
    struct Node
    {
        QPointF model;  // model coordinates
        QPointF offset; // pixels added after scaling
    };
    struct Path
    {
        std::vector<Node> nodes;
        Stroke stroke;
    };
    struct Label
    {
        QPointF anchor;
        QPointF offset; // of the label's centre, in pixels
        QString text;
        QFont font;
    };
    using Placement = std::function<QPointF(const Node &)>;

    static QSizeF boxOf(const QString &text, const QFont &font)
    {
        const QFontMetricsF metrics(font);
        return {metrics.horizontalAdvance(text) + 1.0, metrics.ascent() + metrics.descent()};
    }

    static QPen pen(Stroke stroke)
    {
        switch (stroke) {
        case Stroke::Side:
            return QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        case Stroke::Line:
            return QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap);
        case Stroke::Dashed: {
            QPen dashed(Qt::black, 1.0, Qt::CustomDashLine, Qt::FlatCap);
            dashed.setDashPattern({4.0, 3.0});
            return dashed;
        }
        case Stroke::Mark:
            break;
        }
        return QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    }

    // A label centred on the given pixel direction from a point, just clear of the point.
    void place(QPointF at, QPointF direction, double gap, const QString &text, const QFont &font)
    {
        const QSizeF box = boxOf(text, font);
        const double reach = box.width() / 2.0 * std::abs(direction.x()) +
                             box.height() / 2.0 * std::abs(direction.y());
        m_labels.push_back({at, direction * (reach + gap), text, font});
    }

    // Every pixel point of the drawing as (model point, pixel offset) pairs.
    std::vector<Node> extentNodes() const
    {
        std::vector<Node> nodes;
        for (const Path &path : m_paths) {
            nodes.insert(nodes.end(), path.nodes.begin(), path.nodes.end());
        }
        for (const Label &label : m_labels) {
            const QSizeF box = boxOf(label.text, label.font);
            for (const double sx : {-0.5, 0.5}) {
                for (const double sy : {-0.5, 0.5}) {
                    nodes.push_back({label.anchor,
                                     label.offset + QPointF(sx * box.width(), sy * box.height())});
                }
            }
        }
        return nodes;
    }

    // The largest scale at which the drawing fits, and the shift that centres it.
    Placement fit() const
    {
        const std::vector<Node> nodes = extentNodes();
        const auto bounds = [&nodes](double scale) {
            double left = std::numeric_limits<double>::max();
            double top = left;
            double right = std::numeric_limits<double>::lowest();
            double bottom = right;
            for (const Node &node : nodes) {
                const double x = scale * node.model.x() + node.offset.x();
                const double y = -scale * node.model.y() + node.offset.y();
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
            return QRectF(QPointF(left, top), QPointF(right, bottom));
        };
        const QSizeF room(m_size.width() - 2.0 * kMargin, m_size.height() - 2.0 * kMargin);
        double scale = 1000.0;
        while (scale > 0.01 &&
               (bounds(scale).width() > room.width() || bounds(scale).height() > room.height())) {
            scale *= 0.995;
        }
        const QRectF used = bounds(scale);
        const QPointF shift = QPointF(m_size.width(), m_size.height()) / 2.0 - used.center();
        return [scale, shift](const Node &node) {
            return QPointF(scale * node.model.x(), -scale * node.model.y()) + node.offset + shift;
        };
    }

    QSize m_size;
    QFont m_letterFont;
    QFont m_numberFont;
    std::vector<Path> m_paths;
    std::vector<Label> m_labels;
};

} // namespace kovra::figures
