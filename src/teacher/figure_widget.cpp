// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure_widget.h"

#include "content/figures.h"
#include "teacher/document.h"
#include "teacher/window_parts.h"

#include <QBuffer>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

using namespace teacher;

FigureWidget::FigureWidget(TestDocument *document, QWidget *parent)
    : QWidget(parent), m_document(document), m_preview(new QLabel(this))
{
    // Made in the order Tab goes through them.
    m_choose = new QPushButton(tr("Choose a file…"), this);
    auto *pasteButton = new QPushButton(tr("Paste"), this);
    m_remove = new QPushButton(tr("Remove"), this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_preview->setFixedSize(kFigureArea + QSize(2, 2));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setAccessibleName(tr("Figure, as the pupil sees it"));
    m_preview->setAcceptDrops(true);
    m_preview->installEventFilter(this);
    layout->addWidget(m_preview);
    auto *buttons = new QVBoxLayout;
    m_choose->setAccessibleName(tr("Choose a figure file"));
    connect(m_choose, &QPushButton::clicked, this, &FigureWidget::choose);
    pasteButton->setAccessibleName(tr("Paste a figure"));
    connect(pasteButton, &QPushButton::clicked, this, &FigureWidget::paste);
    m_remove->setAccessibleName(tr("Remove the figure"));
    connect(m_remove, &QPushButton::clicked, this,
            [this] { m_document->setFigure(m_at, tr("Remove the figure"), Figure{}); });
    buttons->addWidget(m_choose);
    buttons->addWidget(pasteButton);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
}

QWidget *FigureWidget::chooseButton() const
{
    return m_choose;
}

void FigureWidget::showQuestion(int at)
{
    m_at = at;
    const auto &questions = m_document->data().questions;
    if (at < 0 || at >= static_cast<int>(questions.size())) {
        return;
    }
    const Figure &figure = questions.at(static_cast<std::size_t>(at)).figure;
    m_remove->setEnabled(!figure.isEmpty() || !figure.missing.isEmpty());
    // Decoded once per figure, fitted as the pupil's window fits it.
    if (figure.isEmpty()) {
        m_previewOf.clear();
        m_preview->setPixmap(QPixmap());
        m_preview->setText(figure.missing.isEmpty() ? tr("No figure.\nDrop or paste one here.")
                                                    : tr("%1 is missing").arg(figure.missing));
        return;
    }
    if (m_previewOf.isSharedWith(figure.bytes)) {
        return;
    }
    m_previewOf = figure.bytes;
    const QImage image = decodeFigure(figure.bytes, figure.format);
    if (image.isNull()) {
        m_preview->setPixmap(QPixmap());
        m_preview->setText(tr("This figure cannot be shown."));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        image.scaled(kFigureArea * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_preview->setPixmap(pixmap);
}

void FigureWidget::choose()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Choose a figure"), QString(), tr("Figures (*.jpg *.jpeg *.png *.gif *.bmp)"));
    if (!path.isEmpty()) {
        setFigureFile(path);
    }
}

bool FigureWidget::setFigureFile(const QString &path)
{
    QFile file(path);
    // A figure larger than a test file may hold is not read at all.
    if (file.size() > kMaxEntryBytes) {
        Q_EMIT failed(tr("%1 is larger than a figure may be (%2 MiB).")
                          .arg(QFileInfo(path).fileName())
                          .arg(kMaxEntryBytes / kMiB));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        Q_EMIT failed(
            tr("%1 cannot be read: %2").arg(QFileInfo(path).fileName(), file.errorString()));
        return false;
    }
    QByteArray bytes = file.read(kMaxEntryBytes + 1);
    if (bytes.size() > kMaxEntryBytes) {
        Q_EMIT failed(tr("%1 is larger than a figure may be (%2 MiB).")
                          .arg(QFileInfo(path).fileName())
                          .arg(kMaxEntryBytes / kMiB));
        return false;
    }
    QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "jpeg") {
        suffix = "jpg";
    }
    return m_document->setFigure(m_at, tr("Set the figure"),
                                 checkedFigure(std::move(bytes), std::move(suffix)));
}

void FigureWidget::setImage(const QImage &image)
{
    // Kept as it is: saving fits it as every figure.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    m_document->setFigure(m_at, tr("Paste a figure"),
                          checkedFigure(std::move(bytes), QByteArrayLiteral("png")));
}

void FigureWidget::paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data != nullptr && data->hasImage()) {
        setImage(qvariant_cast<QImage>(data->imageData()));
    } else if (data != nullptr && data->hasUrls() && data->urls().value(0).isLocalFile()) {
        setFigureFile(data->urls().value(0).toLocalFile());
    } else {
        Q_EMIT failed(tr("The clipboard holds no image."));
    }
}

bool FigureWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_preview) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::DragEnter) {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        if (enter->mimeData()->hasImage() || enter->mimeData()->hasUrls()) {
            enter->acceptProposedAction();
        }
        return true;
    }
    if (event->type() != QEvent::Drop) {
        return QWidget::eventFilter(watched, event);
    }
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *data = drop->mimeData();
    if (takeDrop(data)) {
        drop->acceptProposedAction();
    } else if (data->hasUrls() && data->urls().value(0).isLocalFile()) {
        Q_EMIT droppedOther(data->urls().value(0).toLocalFile());
        drop->acceptProposedAction();
    }
    return true;
}

bool FigureWidget::takeDrop(const QMimeData *data)
{
    if (data->hasImage()) {
        setImage(qvariant_cast<QImage>(data->imageData()));
        return true;
    }
    if (data->hasUrls() && data->urls().value(0).isLocalFile() &&
        isFigureFile(data->urls().value(0).toLocalFile())) {
        setFigureFile(data->urls().value(0).toLocalFile());
        return true;
    }
    return false;
}

} // namespace kovra
