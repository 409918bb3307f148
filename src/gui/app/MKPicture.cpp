#include "app/MKPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The case is 100 x 84 units; everything is drawn in these units and scaled to fit.
constexpr qreal CaseWidth = 100;
constexpr qreal CaseHeight = 84;

void PaintScreen(QPainter& p, const QRectF& screen) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(6, 18, 40));
    p.drawRect(screen);
    const qreal u = screen.width() / 32; // one tenth of the MK's 320 pixels
    // Two value cells above, a bar graph below: the MK's four-value trip screen.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(std::max<qreal>(4, 8 * u)));
    p.setFont(font);
    p.setPen(QColor(255, 200, 40));
    p.drawText(QRectF(screen.left(), screen.top() + u, screen.width() / 2, 9 * u), Qt::AlignCenter,
               QStringLiteral("62"));
    p.setPen(QColor(90, 230, 120));
    p.drawText(QRectF(screen.center().x(), screen.top() + u, screen.width() / 2, 9 * u),
               Qt::AlignCenter, QStringLiteral("7.4"));
    p.setPen(QPen(QColor(70, 110, 160), std::max<qreal>(1, u / 3)));
    p.drawLine(QPointF(screen.left() + u, screen.top() + 11 * u),
               QPointF(screen.right() - u, screen.top() + 11 * u));
    const qreal bars[] = {0.35, 0.55, 0.5, 0.8, 0.65, 0.9, 0.7, 0.45};
    const qreal barWidth = (screen.width() - 2 * u) / std::size(bars);
    const qreal floor = screen.bottom() - u;
    const qreal room = floor - (screen.top() + 12.5 * u);
    p.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < std::size(bars); ++i) {
        p.setBrush(i % 2 ? QColor(40, 160, 230) : QColor(30, 120, 200));
        const qreal h = room * bars[i];
        p.drawRect(
            QRectF(screen.left() + u + i * barWidth + u / 4, floor - h, barWidth - u / 2, h));
    }
}

} // namespace

void PaintMK(QPainter& p, const QRectF& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = std::min(area.width() / CaseWidth, area.height() / CaseHeight);
    p.translate(area.center().x() - CaseWidth * scale / 2,
                area.center().y() - CaseHeight * scale / 2);
    p.scale(scale, scale);

    QLinearGradient body(0, 0, 0, CaseHeight);
    body.setColorAt(0, QColor(78, 82, 90));
    body.setColorAt(1, QColor(34, 36, 40));
    p.setPen(QPen(QColor(20, 20, 24), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1, 1, CaseWidth - 2, CaseHeight - 2), 9, 9);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawRoundedRect(QRectF(12, 6, 76, 58), 3, 3);
    PaintScreen(p, QRectF(14, 8, 72, 54)); // 4:3, as the MK's 320 x 240

    for (int k = 0; k < 4; ++k) {
        const QRectF key(14 + k * 19, 69, 15, 9);
        p.setBrush(QColor(52, 55, 62));
        p.setPen(QPen(QColor(16, 16, 18), 1));
        p.drawRoundedRect(key, 3, 3);
    }
    p.restore();
}

QIcon MKIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PaintMK(painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TMKPicture::TMKPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setMinimumHeight(100);
}

void TMKPicture::paintEvent(QPaintEvent*) {
    // Anchored in the lower right corner of whatever room the layout gives.
    const qreal scale = std::min(width() / CaseWidth, height() / CaseHeight);
    const QSizeF size(CaseWidth * scale, CaseHeight * scale);
    QPainter painter(this);
    PaintMK(painter, QRectF(QPointF(width() - size.width(), height() - size.height()), size));
}
