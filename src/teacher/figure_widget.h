// SPDX-License-Identifier: GPL-3.0-or-later
// The figure of the chosen question in the teacher's window: shown as the pupil sees it, chosen
// from a file, pasted, dropped or taken away.
#pragma once

#include <QByteArray>
#include <QWidget>

class QLabel;
class QMimeData;
class QPushButton;

namespace kovra {

class TestDocument;

class FigureWidget : public QWidget
{
    Q_OBJECT

public:
    FigureWidget(TestDocument *document, QWidget *parent = nullptr);

    void showQuestion(int at);
    // A figure file becomes the figure of the question; false, with the failure told, when it
    // cannot be read or is too large.
    bool setFigureFile(const QString &path);
    // The image on the clipboard, or the file it names.
    void paste();
    [[nodiscard]] QWidget *chooseButton() const;
    // An image, or a file, dropped on the figure or the window: true when it was a figure.
    bool takeDrop(const QMimeData *data);

Q_SIGNALS:
    // A failure, for the window to tell.
    void failed(const QString &message);
    // A file dropped here that is not a figure, which the window opens as a test.
    void droppedOther(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose();
    void setImage(const QImage &image);

    TestDocument *m_document;
    int m_at = 0;
    QLabel *m_preview;
    QPushButton *m_choose;
    QPushButton *m_remove;
    QByteArray m_previewOf; // the figure the preview shows
};

} // namespace kovra
