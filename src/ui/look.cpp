// SPDX-License-Identifier: GPL-3.0-or-later
#include "look.h"

#include <QIconEngine>
#include <QProxyStyle>
#include <QStyleFactory>
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
