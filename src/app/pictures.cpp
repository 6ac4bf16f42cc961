#include "pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace tallyvex {

namespace {
const QColor clayOrange(232, 96, 28);
const QColor clayDark(150, 52, 10);
const QColor officeGreen(64, 128, 128);

/// A clay target seen slightly from above: a flat dome with rings.
void paintClay(QPainter& p, const QRectF& box) {
    p.save();
    p.setPen(QPen(clayDark, box.width() * 0.03));
    p.setBrush(clayOrange);
    p.drawEllipse(box);
    p.setBrush(Qt::NoBrush);
    for (double f : {0.72, 0.45}) {
        QRectF ring(0, 0, box.width() * f, box.height() * f);
        ring.moveCenter(box.center());
        p.drawEllipse(ring);
    }
    QRectF top(0, 0, box.width() * 0.2, box.height() * 0.2);
    top.moveCenter(box.center());
    p.setBrush(clayDark);
    p.drawEllipse(top);
    p.restore();
}
} // namespace

QImage drawLogo() {
    QImage img(600, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Flight line of the target.
    QPainterPath flight;
    flight.moveTo(20, 180);
    flight.quadTo(90, 40, 175, 70);
    p.setPen(QPen(officeGreen, 4, Qt::DashLine, Qt::RoundCap));
    p.drawPath(flight);
    paintClay(p, QRectF(120, 40, 130, 70));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(72);
    f.setBold(true);
    p.setFont(f);
    p.setPen(officeGreen);
    p.drawText(QRectF(260, 30, 330, 100), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tallyvex"));
    f.setPixelSize(18);
    f.setBold(false);
    p.setFont(f);
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(264, 120, 330, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Wettkampfbüro / Competition office"));
    return img;
}

QImage drawConfirmation() {
    QImage img(400, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 70, 160);
    p.translate(200, 100);
    p.rotate(-8);
    p.setPen(QPen(ink, 7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-175, -70, 350, 140), 18, 18);
    p.setPen(QPen(ink, 2));
    p.drawRoundedRect(QRectF(-163, -58, 326, 116), 12, 12);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(46);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRectF(-160, -58, 320, 62), Qt::AlignCenter, QStringLiteral("BESTÄTIGT"));
    f.setPixelSize(30);
    p.setFont(f);
    p.drawText(QRectF(-160, 4, 320, 50), Qt::AlignCenter, QStringLiteral("CONFIRMED"));
    return img;
}

QImage drawBackNumberPicture() {
    QImage img(300, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(officeGreen, 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(20, 20, 260, 260));
    // Cross hairs behind the target.
    p.setPen(QPen(officeGreen, 4));
    p.drawLine(QPointF(150, 35), QPointF(150, 265));
    p.drawLine(QPointF(35, 150), QPointF(265, 150));
    paintClay(p, QRectF(80, 110, 140, 80));
    return img;
}

} // namespace tallyvex
