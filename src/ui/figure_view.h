// SPDX-License-Identifier: GPL-3.0-or-later
// The figure of a question shown larger: a click on the figure area opens it in a window of its
// own, scaled from the full figure to fill most of the screen; a click on it or Esc closes it.
#pragma once

#include <QDialog>

class QLabel;

namespace kovra {

class KOVRA_Prazno;

class FigureView : public QDialog
{
    Q_OBJECT
public:
    FigureView(const QImage &figure, QWidget *parent);
    [[nodiscard]] QLabel *picture() const { return m_picture; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QLabel *m_picture = nullptr;
};

// Opens the figure view on a click on the window's figure area, when it shows a figure.
void installFigureView(KOVRA_Prazno &window);

} // namespace kovra
