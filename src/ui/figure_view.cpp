// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure_view.h"

#include "kovra_prazno.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace kovra {

namespace {

// The share of the screen's room the larger figure may fill.
constexpr double kScreenShare = 0.9;

class FigureClick : public QObject
{
public:
    explicit FigureClick(KOVRA_Prazno &window) : QObject(&window), m_window(window)
    {
        window.Picture2()->installEventFilter(this);
        window.Picture2()->setToolTip(QStringLiteral("Щракнете върху чертежа, за да го видите "
                                                     "по-голям"));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            open();
        } else if (event->type() == QEvent::Enter) {
            m_window.Picture2()->setCursor(shown().isNull() ? Qt::ArrowCursor
                                                            : Qt::PointingHandCursor);
        } else if (event->type() == QEvent::ToolTip && shown().isNull()) {
            return true; // no figure, nothing to enlarge
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The full figure of the question the window shows; none when it shows none.
    [[nodiscard]] QImage shown() const
    {
        const KOVRA_Danni *content = m_window.content();
        if (content == nullptr || m_window.Picture2()->pixmap().isNull()) {
            return {};
        }
        const RunState &state = m_window.runState();
        return content->Picture1(state.questionAt(state.CurrentPos) + 1);
    }

    void open()
    {
        const QImage figure = shown();
        if (figure.isNull()) {
            return;
        }
        auto *view = new FigureView(figure, &m_window);
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->show();
    }

    KOVRA_Prazno &m_window;
};

} // namespace

FigureView::FigureView(const QImage &figure, QWidget *parent)
    : QDialog(parent), m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("figureView"));
    setWindowTitle(QStringLiteral("Чертеж към въпроса"));
    m_picture->setAccessibleName(QStringLiteral("Чертежът, уголемен"));
    m_picture->setAlignment(Qt::AlignCenter);
    const QScreen *screen = parent != nullptr && parent->screen() != nullptr
                                ? parent->screen()
                                : QGuiApplication::primaryScreen();
    const QSize room = (QSizeF(screen->availableGeometry().size()) * kScreenShare).toSize();
    const qreal ratio = devicePixelRatioF();
    // Scaled from the full figure, up or down, to fill the room with its proportions kept.
    QPixmap pixmap = QPixmap::fromImage(figure.scaled(
        (QSizeF(room) * ratio).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_picture->setPixmap(pixmap);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
    // In the middle of the screen, whatever window system places it.
    resize(pixmap.deviceIndependentSize().toSize());
    move(screen->availableGeometry().center() - rect().center());
}

void FigureView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        close();
    }
    QDialog::mouseReleaseEvent(event);
}

void installFigureView(KOVRA_Prazno &window)
{
    new FigureClick(window);
}

} // namespace kovra
