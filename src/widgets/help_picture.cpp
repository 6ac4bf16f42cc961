#include "help_picture.h"

#include <QFont>
#include <QPainter>

namespace tallyvex {

QPixmap helpPanelPicture() {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 70, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 20, 20);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(1, 1, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

} // namespace tallyvex
