#include "demo_art.h"

#include "zel/platform/platform.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace zel::controls::demo {

namespace {

const QColor kInk(32, 44, 64);
const QColor kCard(246, 248, 251);

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void save(const QImage& img, const std::string& folder, UINT kind, UINT id) {
    const std::string path = folder + "/" + std::to_string(id) + ".png";
    img.save(QString::fromStdString(path), "PNG");
    zel::platform::register_image_file(kind, id, path);
}

// Flattens `img` for a bitmap with a transparent key: clear pixels become the key colour,
// partly covered ones are blended over `matte` (what will show around them).
QImage keyed(const QImage& img, QColor matte) {
    QImage out(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            const int a = c.alpha();
            if (a < 96) {
                out.setPixel(x, y, qRgb(kKeyRed, 0, 0));
                continue;
            }
            // Premultiplied pixels: colour + (1 - alpha) * matte.
            auto mix = [&](int premul, int m) {
                return std::min(255, premul + (255 - a) * m / 255);
            };
            const QRgb raw = reinterpret_cast<const QRgb*>(img.constScanLine(y))[x];
            out.setPixel(x, y,
                         qRgb(mix(qRed(raw), matte.red()), mix(qGreen(raw), matte.green()),
                              mix(qBlue(raw), matte.blue())));
        }
    }
    return out;
}

QPainterPath rounded(QRectF r, qreal radius) {
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

void draw_face(QPainter& p, QRectF box) {
    // A caricature line drawing on the face panel's grey.
    p.save();
    p.translate(box.center());
    const qreal s = box.width() / 200.0;
    p.scale(s, s);
    QPen ink(QColor(20, 20, 20), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    p.setBrush(Qt::NoBrush);
    QPainterPath head;
    head.moveTo(-62, -40);
    head.cubicTo(-70, -120, 70, -120, 62, -40);
    head.cubicTo(70, 30, 40, 105, 0, 110);
    head.cubicTo(-40, 105, -70, 30, -62, -40);
    p.drawPath(head);
    // Hair.
    QPainterPath hair;
    hair.moveTo(-64, -48);
    hair.cubicTo(-70, -110, 20, -128, 60, -70);
    hair.cubicTo(30, -88, -10, -80, -30, -96);
    hair.cubicTo(-28, -80, -46, -70, -64, -48);
    p.setBrush(QColor(30, 30, 30));
    p.drawPath(hair);
    p.setBrush(Qt::NoBrush);
    // Ears.
    p.drawArc(QRectF(-78, -28, 18, 36), 90 * 16, 180 * 16);
    p.drawArc(QRectF(60, -28, 18, 36), -90 * 16, 180 * 16);
    // Brows, eyes, pupils.
    for (int side : {-1, 1}) {
        QPainterPath brow;
        brow.moveTo(side * 12, -34);
        brow.quadTo(side * 28, -46, side * 46, -36);
        p.setPen(QPen(QColor(20, 20, 20), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(brow);
        p.setPen(ink);
        p.drawEllipse(QPointF(side * 29, -16), 15, 10);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(side * 27, -15), 5, 5.5);
        p.setBrush(Qt::NoBrush);
    }
    // Nose and mouth.
    QPainterPath nose;
    nose.moveTo(-4, -8);
    nose.cubicTo(-8, 18, -22, 30, -8, 36);
    nose.quadTo(2, 40, 12, 34);
    p.drawPath(nose);
    QPainterPath mouth;
    mouth.moveTo(-32, 58);
    mouth.cubicTo(-14, 80, 16, 80, 34, 56);
    mouth.moveTo(-30, 58);
    mouth.quadTo(2, 64, 32, 57);
    p.drawPath(mouth);
    p.restore();
}

void skin(const std::string& folder) {
    const int w = kDialogWidth, h = kDialogHeight;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Body: a calm blue-grey gradient with fine diagonal lines.
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0, QColor(214, 224, 238));
    body.setColorAt(1, QColor(176, 190, 212));
    p.fillRect(img.rect(), body);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int x = -h; x < w; x += 6) {
        p.drawLine(x, h, x + h, 0);
    }
    // Title band.
    QLinearGradient band(0, 0, 0, 44);
    band.setColorAt(0, QColor(52, 86, 140));
    band.setColorAt(1, QColor(28, 52, 94));
    p.fillRect(QRect(0, 0, w, 44), band);
    p.fillRect(QRect(0, 44, w, 2), QColor(236, 178, 64));
    QFont title("DejaVu Sans", 15, QFont::Bold);
    title.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(title);
    p.setPen(QColor(250, 250, 252));
    p.drawText(QRect(20, 0, 300, 44), Qt::AlignVCenter | Qt::AlignLeft, "Make Face");
    QFont small("DejaVu Sans", 9);
    p.setFont(small);
    p.setPen(QColor(200, 214, 236));
    p.drawText(QRect(w - 320, 0, 300, 44), Qt::AlignVCenter | Qt::AlignRight,
               "Choose the parts of the face");
    // Preview card with a soft shadow and the face drawing on grey.
    const QRectF preview(20, 64, 224, 292);
    for (int i = 6; i > 0; --i) {
        p.fillPath(rounded(preview.adjusted(-i + 2, -i + 4, i + 2, i + 4), 8 + i),
                   QColor(20, 40, 70, 10));
    }
    p.fillPath(rounded(preview, 8), kCard);
    const QRectF face = preview.adjusted(10, 10, -10, -10);
    p.fillRect(face, QColor(192, 192, 192));
    p.setPen(QPen(QColor(120, 132, 150), 1));
    p.drawRect(face.adjusted(0.5, 0.5, -0.5, -0.5));
    draw_face(p, face.adjusted(14, 30, -14, -30));
    // Card behind the part rows and one behind the gender column.
    for (const QRectF& r : {QRectF(262, 64, 214, 292), QRectF(490, 64, 92, 196)}) {
        for (int i = 5; i > 0; --i) {
            p.fillPath(rounded(r.adjusted(-i + 2, -i + 3, i + 2, i + 3), 8 + i),
                       QColor(20, 40, 70, 9));
        }
        p.fillPath(rounded(r, 8), QColor(232, 238, 246));
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.drawPath(rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), 8));
    }
    p.setFont(QFont("DejaVu Sans", 8, QFont::Bold));
    p.setPen(QColor(70, 90, 120));
    p.drawText(QRectF(262, 68, 214, 16), Qt::AlignCenter, "PARTS");
    p.drawText(QRectF(490, 68, 92, 16), Qt::AlignCenter, "GENDER");
    // Frame around the whole window.
    p.setPen(QPen(QColor(22, 40, 72), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, w - 2, h - 2));
    p.end();
    save(img, folder, IMAGE_BITMAP, kSkinPicture);
}

// A round arrow button face pointing left (-1) or right (+1).
QImage arrow(int size, int direction) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QRadialGradient ball(s * 0.35, s * 0.3, s * 0.75);
    ball.setColorAt(0, QColor(120, 170, 236));
    ball.setColorAt(1, QColor(30, 78, 150));
    p.setPen(QPen(QColor(20, 50, 100), s / 20));
    p.setBrush(ball);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    QPainterPath tri;
    const qreal c = s / 2, r = s * 0.22;
    tri.moveTo(c + direction * r, c);
    tri.lineTo(c - direction * r * 0.7, c - r);
    tri.lineTo(c - direction * r * 0.7, c + r);
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(tri);
    p.end();
    return img;
}

QImage bullet(bool selected) {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(6, 5, 9);
    g.setColorAt(0, selected ? QColor(170, 255, 150) : QColor(236, 236, 236));
    g.setColorAt(1, selected ? QColor(30, 150, 40) : QColor(140, 140, 140));
    p.setPen(QPen(selected ? QColor(20, 90, 30) : QColor(100, 100, 100), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.end();
    return img;
}

// A round badge with a check mark (Done) or a cross (Cancel).
QImage badge(bool done) {
    QImage img = canvas(40, 40);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(15, 12, 26);
    g.setColorAt(0, done ? QColor(140, 222, 120) : QColor(250, 140, 120));
    g.setColorAt(1, done ? QColor(34, 130, 50) : QColor(180, 40, 36));
    p.setPen(QPen(done ? QColor(20, 90, 30) : QColor(120, 24, 20), 1.5));
    p.setBrush(g);
    p.drawEllipse(QRectF(3, 3, 34, 34));
    p.setPen(QPen(Qt::white, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (done) {
        p.drawPolyline(QPolygonF({QPointF(12, 21), QPointF(18, 27), QPointF(29, 14)}));
    } else {
        p.drawLine(QPointF(14, 14), QPointF(26, 26));
        p.drawLine(QPointF(26, 14), QPointF(14, 26));
    }
    p.end();
    return img;
}

// A figure: 0 man, 1 woman, 2 child; the selected one on a gold disc.
QImage figure(int who, bool selected, int w, int h) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal cx = w / 2.0;
    if (selected) {
        QRadialGradient g(cx, h * 0.45, h * 0.55);
        g.setColorAt(0, QColor(255, 236, 160));
        g.setColorAt(1, QColor(236, 170, 50));
        p.setPen(QPen(QColor(170, 110, 20), 1.2));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 9, 9);
    }
    const QColor body = who == 0   ? QColor(52, 92, 160)
                        : who == 1 ? QColor(190, 60, 110)
                                   : QColor(60, 150, 90);
    const qreal scale = who == 2 ? 0.78 : 1.0;
    const qreal top = h * (who == 2 ? 0.22 : 0.08);
    const qreal headR = h * 0.16 * scale;
    p.setPen(QPen(body.darker(150), 1.2));
    p.setBrush(QColor(248, 214, 180));
    p.drawEllipse(QPointF(cx, top + headR), headR, headR);
    QPainterPath torso;
    const qreal shoulder = top + 2 * headR + 2;
    const qreal half = h * 0.3 * scale;
    if (who == 1) {
        torso.moveTo(cx - half * 0.5, shoulder);
        torso.lineTo(cx + half * 0.5, shoulder);
        torso.lineTo(cx + half * 1.05, h - 4);
        torso.lineTo(cx - half * 1.05, h - 4);
    } else {
        torso.moveTo(cx - half, h - 4);
        torso.lineTo(cx - half, shoulder + half * 0.5);
        torso.quadTo(cx - half, shoulder, cx - half * 0.5, shoulder);
        torso.lineTo(cx + half * 0.5, shoulder);
        torso.quadTo(cx + half, shoulder, cx + half, shoulder + half * 0.5);
        torso.lineTo(cx + half, h - 4);
    }
    torso.closeSubpath();
    QLinearGradient shade(0, shoulder, 0, h);
    shade.setColorAt(0, body.lighter(130));
    shade.setColorAt(1, body);
    p.setBrush(shade);
    p.drawPath(torso);
    p.end();
    return img;
}

QImage smiley(int size) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QRadialGradient g(s * 0.38, s * 0.32, s * 0.7);
    g.setColorAt(0, QColor(255, 240, 130));
    g.setColorAt(1, QColor(236, 170, 30));
    p.setPen(QPen(QColor(150, 96, 10), s / 18));
    p.setBrush(g);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    p.setBrush(QColor(60, 40, 10));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(s * 0.36, s * 0.4), s * 0.06, s * 0.09);
    p.drawEllipse(QPointF(s * 0.64, s * 0.4), s * 0.06, s * 0.09);
    p.setPen(QPen(QColor(60, 40, 10), s / 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.28, s * 0.36, s * 0.44, s * 0.36), 200 * 16, 140 * 16);
    p.end();
    return img;
}

} // namespace

void make_art(const std::string& folder) {
    skin(folder);
    const QColor card(232, 238, 246);
    save(arrow(20, -1), folder, IMAGE_ICON, kPreviousIcon);
    save(arrow(20, 1), folder, IMAGE_ICON, kNextIcon);
    save(arrow(32, -1), folder, IMAGE_ICON, kLeftArrowIcon);
    save(arrow(32, 1), folder, IMAGE_ICON, kRightArrowIcon);
    save(bullet(true), folder, IMAGE_ICON, kBulletLitIcon);
    save(bullet(false), folder, IMAGE_ICON, kBulletIcon);
    save(smiley(24), folder, IMAGE_ICON, kExpressionIcon);
    const QColor body(190, 204, 224);
    save(keyed(badge(true), body), folder, IMAGE_BITMAP, kDonePicture);
    save(keyed(badge(false), body), folder, IMAGE_BITMAP, kCancelPicture);
    save(keyed(figure(0, false, 50, 40), card), folder, IMAGE_BITMAP, kManPicture);
    save(keyed(figure(0, true, 50, 40), card), folder, IMAGE_BITMAP, kManChosenPicture);
    save(keyed(figure(1, false, 50, 40), card), folder, IMAGE_BITMAP, kWomanPicture);
    save(keyed(figure(1, true, 50, 40), card), folder, IMAGE_BITMAP, kWomanChosenPicture);
    save(keyed(figure(2, false, 40, 40), card), folder, IMAGE_BITMAP, kChildPicture);
    save(keyed(figure(2, true, 40, 40), card), folder, IMAGE_BITMAP, kChildChosenPicture);
}

} // namespace zel::controls::demo
