#include "shell/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace AppIcon {

QPixmap logo(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // share/icons/io.github.aerokit.Aerokit.svg is this drawing on a 256 grid
    // for the desktop's menus; change both together.
    // Sky disc.
    QLinearGradient sky(0, 0, 0, s);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(160, 200, 240));
    p.setBrush(sky);
    p.setPen(QPen(QColor(30, 60, 110), s / 32));
    p.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
    // A light aircraft seen from above: fuselage, wing, tail.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    // Winding fill: the parts overlap, and the overlaps are part of the aircraft.
    QPainterPath plane;
    plane.setFillRule(Qt::WindingFill);
    plane.addRoundedRect(QRectF(s * 0.46, s * 0.16, s * 0.08, s * 0.66), s * 0.04, s * 0.04);
    plane.addRoundedRect(QRectF(s * 0.14, s * 0.36, s * 0.72, s * 0.10), s * 0.03, s * 0.03);
    plane.addRoundedRect(QRectF(s * 0.33, s * 0.70, s * 0.34, s * 0.07), s * 0.02, s * 0.02);
    p.drawPath(plane.simplified());
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(s * 0.475, s * 0.13, s * 0.05, s * 0.05));
    return pm;
}

QIcon icon() {
    QIcon i;
    for (int s : {16, 32, 48, 64, 128}) i.addPixmap(logo(s));
    return i;
}

}  // namespace AppIcon
