// SPDX-License-Identifier: GPL-3.0-or-later
#include "look.h"

#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

namespace kovra {

namespace {

class DeferredIconEngine final : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> load)
        : m_state(std::make_shared<State>(State{std::move(load), {}}))
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Setting an icon asks whether it is null; that is answered without loading it.
    bool isNull() override { return m_state->load == nullptr && m_state->icon.isNull(); }
    QString key() const override { return QStringLiteral("kovra-deferred"); }
    // Copies share what was loaded, so that it is loaded once.
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    struct State
    {
        std::function<QIcon()> load;
        QIcon icon;
    };

    const QIcon &icon()
    {
        if (m_state->load) {
            m_state->icon = std::exchange(m_state->load, nullptr)();
        }
        return m_state->icon;
    }

    std::shared_ptr<State> m_state;
};

// The classic desktop's colours of a disabled caption.
const QColor kGreyTextColor{128, 128, 128};
const QColor kEtchColor{255, 255, 255};

class Style final : public QProxyStyle
{
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton ||
            icon == SP_ToolBarVerticalExtensionButton) {
            return deferredIcon(
                [base = baseStyle(), icon] { return base->standardIcon(icon, nullptr, nullptr); });
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_PanelButtonCommand && qobject_cast<const QPushButton *>(widget)) {
            drawButtonPanel(*option, *painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if ((metric == PM_ButtonShiftHorizontal || metric == PM_ButtonShiftVertical) &&
            qobject_cast<const QPushButton *>(widget)) {
            return 1;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    // A disabled push button's caption is greyed and etched, as on the classic desktop: grey
    // over a light copy one pixel down and right, readable on every face colour.
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element == CE_PushButtonLabel && button != nullptr &&
            !option->state.testFlag(State_Enabled) && qobject_cast<const QPushButton *>(widget)) {
            QStyleOptionButton caption = *button;
            caption.rect.translate(1, 1);
            caption.palette.setColor(QPalette::ButtonText, kEtchColor);
            QProxyStyle::drawControl(element, &caption, painter, widget);
            caption.rect = button->rect;
            caption.palette.setColor(QPalette::ButtonText, kGreyTextColor);
            QProxyStyle::drawControl(element, &caption, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    // A push button as the window's design has it: its background colour as a flat face. Rings
    // of whole pixels around the face, from the outside in: the frame, a darker shade of the
    // face (lighter when disabled); the focus mark; when pressed, a shadow along the top and
    // left edges. A disabled button keeps its face.
    static void drawButtonPanel(const QStyleOption &option, QPainter &painter)
    {
        const QColor face = option.palette.color(QPalette::Button);
        const bool enabled = option.state.testFlag(State_Enabled);
        QRect inside = option.rect;
        const auto ring = [&](const QColor &color) {
            painter.fillRect(inside, color);
            inside.adjust(1, 1, -1, -1);
        };
        ring(face.darker(enabled ? 250 : 150));
        if (enabled && option.state.testFlag(State_HasFocus)) {
            ring(option.palette.color(QPalette::Highlight));
        }
        if (option.state & (State_Sunken | State_On)) {
            painter.fillRect(inside, face.darker(160));
            inside.adjust(1, 1, 0, 0);
        }
        painter.fillRect(inside, face);
    }
};

} // namespace

// Text of this program is Bulgarian and Latin, which need no shaping: glyphs are drawn from
// the character map with hinted advances, which is also the cheapest way to the first view.
QFont windowFont()
{
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QStyle *createStyle()
{
    return new Style;
}

QIcon deferredIcon(std::function<QIcon()> load)
{
    return QIcon(new DeferredIconEngine(std::move(load)));
}

} // namespace kovra
