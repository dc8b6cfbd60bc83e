#include "shell/pictures/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Pictures {

namespace {

// A hand-held radio seen from the front: body, antenna, speaker grille,
// display and keys.
void DrawRadio(QPainter& p, const QRectF& body) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = body.width();
    // antenna
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 34, 40));
    p.drawRoundedRect(QRectF(body.left() + w * 0.15, body.top() - w * 0.9, w * 0.14, w * 0.95),
                      w * 0.06, w * 0.06);
    // knob
    p.drawRoundedRect(QRectF(body.right() - w * 0.32, body.top() - w * 0.22, w * 0.2, w * 0.25),
                      w * 0.04, w * 0.04);
    // body
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(52, 58, 66));
    g.setColorAt(0.5, QColor(74, 82, 92));
    g.setColorAt(1, QColor(44, 48, 56));
    p.setBrush(g);
    p.drawRoundedRect(body, w * 0.12, w * 0.12);
    // speaker grille
    p.setPen(QPen(QColor(24, 26, 30), w * 0.03, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const qreal y = body.top() + body.height() * (0.1 + 0.045 * i);
        p.drawLine(QPointF(body.left() + w * 0.2, y), QPointF(body.right() - w * 0.2, y));
    }
    // display
    p.setPen(Qt::NoPen);
    QLinearGradient lcd(body.topLeft(), body.bottomLeft());
    lcd.setColorAt(0, QColor(170, 220, 120));
    lcd.setColorAt(1, QColor(120, 180, 90));
    p.setBrush(lcd);
    const QRectF display(body.left() + w * 0.14, body.top() + body.height() * 0.36, w * 0.72,
                         body.height() * 0.16);
    p.drawRoundedRect(display, w * 0.04, w * 0.04);
    p.setPen(QColor(30, 60, 20));
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(qMax(5, int(qMin(display.height() * 0.5, display.width() * 0.16))));
    f.setBold(true);
    p.setFont(f);
    p.drawText(display, Qt::AlignCenter, QStringLiteral("435.100"));
    // keys
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 204, 210));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRoundedRect(QRectF(body.left() + w * (0.14 + c * 0.25),
                                     body.top() + body.height() * (0.57 + r * 0.095), w * 0.2,
                                     body.height() * 0.065),
                              w * 0.03, w * 0.03);
    p.restore();
}

// Radio waves leaving the antenna.
void DrawWaves(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 1; i <= 3; ++i) {
        QColor c = colour;
        c.setAlphaF(0.9 - 0.22 * i);
        p.setPen(QPen(c, radius * 0.08, Qt::SolidLine, Qt::RoundCap));
        const qreal r = radius * i;
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 20 * 16, 50 * 16);
    }
    p.restore();
}

} // namespace

QImage StartPicture(int language) {
    const bool chinese = language == 2;
    QImage image(480, 300, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(18, 52, 96));
    sky.setColorAt(1, QColor(8, 22, 44));
    p.fillRect(image.rect(), sky);
    // a faint band of light across the picture
    QRadialGradient glow(QPointF(360, 60), 260);
    glow.setColorAt(0, QColor(80, 150, 220, 110));
    glow.setColorAt(1, QColor(80, 150, 220, 0));
    p.fillRect(image.rect(), glow);

    DrawRadio(p, QRectF(46, 92, 82, 178));
    DrawWaves(p, QPointF(64, 24), 16, QColor(150, 210, 255));

    const QString family =
        chinese ? QStringLiteral("WenQuanYi Micro Hei") : QStringLiteral("DejaVu Sans");
    QFont title(family);
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(240, 246, 252));
    p.drawText(QRectF(160, 70, 310, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Corvan"));

    QFont line(family);
    line.setPixelSize(chinese ? 19 : 19);
    p.setFont(line);
    p.setPen(QColor(170, 205, 240));
    p.drawText(QRectF(162, 132, 310, 60), Qt::AlignLeft | Qt::TextWordWrap,
               chinese ? QStringLiteral("KL740 / KL740G 对讲机编程软件")
                       : QStringLiteral("Programming software for\nKL740 and KL740G radios"));

    p.setPen(QPen(QColor(90, 140, 200), 2));
    p.drawLine(QPointF(162, 200), QPointF(450, 200));
    QFont small(family);
    small.setPixelSize(14);
    p.setFont(small);
    p.setPen(QColor(140, 170, 205));
    p.drawText(QRectF(162, 210, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
               chinese ? QStringLiteral("正在启动……") : QStringLiteral("Starting..."));
    p.setPen(QColor(60, 100, 150));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage BackgroundTile(int language) {
    // A soft, quiet tile; the Chinese one is a shade warmer so the two are
    // told apart at a glance.
    const bool chinese = language == 2;
    const QColor base = chinese ? QColor(226, 230, 236) : QColor(222, 229, 238);
    const QColor mark = chinese ? QColor(208, 212, 222) : QColor(204, 214, 228);
    QImage image(98, 98, QImage::Format_RGB32); // one border pixel on each side
    image.fill(base);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(mark, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(49, 49);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 9.0 * i;
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    }
    p.setBrush(mark);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 3, 3);
    return image;
}

QImage AppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const qreal w = size * 0.42;
    DrawRadio(p, QRectF(size * 0.3, size * 0.3, w, size * 0.66));
    DrawWaves(p, QPointF(size * 0.3 + w * 0.22, size * 0.08), size * 0.12, QColor(40, 120, 220));
    return image;
}

} // namespace Pictures
