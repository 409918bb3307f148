#pragma once

#include <QIcon>
#include <QWidget>

class QPainter;

// Our drawing of the MK: a dark case with its colour screen showing a trip screen, and
// the four keys below it. Used as the main window's picture and the program's icon.
void PaintMK(QPainter& painter, const QRectF& area);
QIcon MKIcon();

class TMKPicture : public QWidget {
    Q_OBJECT

public:
    explicit TMKPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {160, 135}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
