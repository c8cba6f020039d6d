#include "tolvik/shell/icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tolvik::shell {

namespace {

constexpr int kSize = 24;

void DrawPrinter(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 7); // paper in
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(2, 8, 20, 9, 2, 2); // body
    p.setBrush(Qt::white);
    p.drawRect(6, 14, 12, 8); // paper out
    p.drawLine(8, 17, 16, 17);
    p.drawLine(8, 19, 14, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 170, 0));
    p.drawEllipse(18, 10, 2, 2);
}

void DrawExitDoor(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(3, 2, 12, 20); // frame
    p.setBrush(QColor(160, 100, 50));
    QPolygon door;
    door << QPoint(3, 2) << QPoint(10, 5) << QPoint(10, 23) << QPoint(3, 22);
    p.drawPolygon(door); // opened leaf
    p.setBrush(Qt::black);
    p.drawEllipse(8, 13, 1, 1);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(13, 12, 22, 12); // way out
    p.drawLine(22, 12, 18, 8);
    p.drawLine(22, 12, 18, 16);
}

void DrawEraser(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.translate(12, 12);
    p.rotate(-35);
    p.setBrush(QColor(240, 120, 140));
    p.drawRect(-10, -5, 12, 10);
    p.setBrush(QColor(60, 90, 200));
    p.drawRect(2, -5, 8, 10);
    p.resetTransform();
    p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
    p.drawLine(2, 22, 22, 22);
}

void DrawCopySheets(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(3, 2, 11, 14);
    p.drawRect(9, 8, 11, 14);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    for (int y = 12; y <= 18; y += 3)
        p.drawLine(11, y, 18, y);
}

void DrawQuestionMark(QPainter& p) {
    const QColor ink(0, 60, 160);
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(1, 1, 22, 22);
    // Drawn, not written: a bold face of its own would be loaded for the one sign at start-up.
    QPainterPath hook;
    hook.moveTo(8.4, 9.2);
    hook.cubicTo(8.4, 4.4, 15.8, 4.4, 15.8, 8.8);
    hook.cubicTo(15.8, 11.6, 12.0, 11.6, 12.0, 14.8);
    p.setPen(QPen(ink, 3.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(10.5, 16.2, 3.0, 3.0));
}

void DrawChart(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 20, 20);
    p.drawLine(5, 4, 5, 19);   // y axis
    p.drawLine(5, 19, 20, 19); // x axis
    QPainterPath curve;
    curve.moveTo(5, 18);
    curve.cubicTo(9, 17, 11, 5, 19, 6);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

/// The picture drawn at each of the scales (device pixel ratios).
QIcon DrawnIcon(int index, const std::vector<int>& scales) {
    QIcon icon;
    for (const int scale : scales) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        switch (index) {
        case 0:
            DrawPrinter(p);
            break;
        case 1:
            DrawExitDoor(p);
            break;
        case 2:
            DrawEraser(p);
            break;
        case 3:
            DrawCopySheets(p);
            break;
        case 4:
            DrawQuestionMark(p);
            break;
        case 5:
            DrawChart(p);
            break;
        default:
            break;
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon PictureButtonIcon(int index) {
    // Drawn for the device pixel ratios of the screens there are (rounded up), so the
    // pictures are sharp on each and no time goes into ratios no screen has.
    std::vector<int> scales{1};
    for (const QScreen* screen : QGuiApplication::screens()) {
        const int scale = std::clamp(static_cast<int>(std::ceil(screen->devicePixelRatio())), 1, 4);
        if (std::find(scales.begin(), scales.end(), scale) == scales.end()) scales.push_back(scale);
    }
    return DrawnIcon(index, scales);
}

QIcon WindowIcon() {
    // The desktop shows a window's picture at several sizes (title bar, task switcher).
    return DrawnIcon(5, {1, 2, 3});
}

} // namespace tolvik::shell
