// Draws the pictures in this folder (run once, offscreen; not part of the build):
//   g++ -std=c++20 -fPIC draw_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o draw_icons
//   QT_QPA_PLATFORM=offscreen ./draw_icons
// Every 24-pixel picture is drawn again at twice the size as name@2x.png, which QIcon picks
// on a 2x screen; the program icon is drawn at each size a desktop asks for.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

using Draw = std::function<void(QPainter &)>;

static void save(const char *name, const Draw &draw)
{
    for (int scale : {1, 2}) {
        QImage i(24 * scale, 24 * scale, QImage::Format_ARGB32);
        i.fill(Qt::transparent);
        QPainter p(&i);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        i.save(QString::fromLatin1(name) + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    }
}
static Draw arrow(bool left)
{
    return [left](QPainter &p) {
        p.setBrush(QColor(40, 110, 200));
        p.setPen(QPen(QColor(20, 60, 130), 1));
        QPainterPath path;
        if (left) {
            path.moveTo(3, 12);
            path.lineTo(11, 4);
            path.lineTo(11, 8);
            path.lineTo(21, 8);
            path.lineTo(21, 16);
            path.lineTo(11, 16);
            path.lineTo(11, 20);
            path.closeSubpath();
        } else {
            path.moveTo(21, 12);
            path.lineTo(13, 4);
            path.lineTo(13, 8);
            path.lineTo(3, 8);
            path.lineTo(3, 16);
            path.lineTo(13, 16);
            path.lineTo(13, 20);
            path.closeSubpath();
        }
        p.drawPath(path);
    };
}
static Draw page(QColor mark, const char *label)
{
    return [mark, label](QPainter &p) {
        p.setPen(QPen(QColor(80, 80, 80), 1));
        p.setBrush(Qt::white);
        QPolygonF doc;
        doc << QPointF(4, 2) << QPointF(15, 2) << QPointF(20, 7) << QPointF(20, 22) << QPointF(4, 22);
        p.drawPolygon(doc);
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        p.drawRect(6, 13, 12, 7);
        QFont f;
        f.setPixelSize(6);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(6, 13, 12, 7), Qt::AlignCenter, QString::fromLatin1(label));
    };
}
// The program icon: a blue tile with three swaying lines, one per sound of the name.
static void programIcon(int size)
{
    QImage i(size, size, QImage::Format_ARGB32);
    i.fill(Qt::transparent);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(70, 150, 230));
    sky.setColorAt(1, QColor(25, 80, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
    const double width = size >= 32 ? 5 : 7;
    for (int k = 0; k < 3; ++k) {
        QPainterPath wave;
        const double y = 19 + k * 13;
        wave.moveTo(12, y);
        wave.cubicTo(22, y - 8, 30, y + 8, 40, y);
        wave.cubicTo(44, y - 3, 48, y - 4, 52, y - 2);
        p.setPen(QPen(QColor(255, 255, 255, 255 - k * 50), width, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
    p.end();
    i.save(QStringLiteral("yuragine-%1.png").arg(size));
}
int main(int c, char **v)
{
    QGuiApplication a(c, v);
    save("back", arrow(true));
    save("forward", arrow(false));
    save("stop", [](QPainter &p) {
        p.setBrush(QColor(210, 40, 40));
        p.setPen(QPen(QColor(120, 20, 20), 1));
        QPolygonF oct;
        for (int k = 0; k < 8; ++k) {
            double t = M_PI / 8 + k * M_PI / 4;
            oct << QPointF(12 + 10 * cos(t), 12 + 10 * sin(t));
        }
        p.drawPolygon(oct);
        p.setPen(QPen(Qt::white, 2.5));
        p.drawLine(8, 8, 16, 16);
        p.drawLine(16, 8, 8, 16);
    });
    save("home", [](QPainter &p) {
        p.setPen(QPen(QColor(90, 50, 20), 1));
        p.setBrush(QColor(220, 120, 50));
        QPolygonF roof;
        roof << QPointF(2, 12) << QPointF(12, 3) << QPointF(22, 12);
        p.drawPolygon(roof);
        p.setBrush(QColor(245, 230, 200));
        p.drawRect(5, 12, 14, 9);
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(10, 15, 4, 6);
    });
    save("reload", [](QPainter &p) {
        p.setPen(QPen(QColor(30, 140, 60), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 280 * 16);
        p.setBrush(QColor(30, 140, 60));
        p.setPen(Qt::NoPen);
        QPolygonF head;
        head << QPointF(13, 1) << QPointF(20, 5) << QPointF(13, 9);
        p.drawPolygon(head);
    });
    save("sidebar", [](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(2, 3, 19, 17);
        p.setBrush(QColor(250, 210, 80));
        p.drawRect(2, 3, 7, 17);
    });
    save("page_web", page(QColor(40, 110, 200), "www"));
    save("page_loading", page(QColor(230, 160, 20), "..."));
    save("page_other", page(QColor(120, 120, 120), "doc"));
    save("page_jpeg", page(QColor(40, 150, 70), "jpg"));
    save("page_image", page(QColor(160, 60, 170), "img"));
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        programIcon(size);
    return 0;
}
