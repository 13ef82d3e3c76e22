// Draws the icons in this folder (run once, offscreen; not part of the build):
//   g++ -std=c++20 -fPIC draw_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o draw_icons
//   QT_QPA_PLATFORM=offscreen ./draw_icons
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QFont>
#include <cmath>
static QImage canvas() { QImage i(24, 24, QImage::Format_ARGB32); i.fill(Qt::transparent); return i; }
static void save(QImage &i, const char *n) { i.save(QString::fromLatin1(n) + QStringLiteral(".png")); }
static void arrow(const char *name, bool left) {
  QImage i = canvas(); QPainter p(&i); p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(40, 110, 200)); p.setPen(QPen(QColor(20, 60, 130), 1));
  QPainterPath path; 
  if (left) { path.moveTo(3,12); path.lineTo(11,4); path.lineTo(11,8); path.lineTo(21,8); path.lineTo(21,16); path.lineTo(11,16); path.lineTo(11,20); path.closeSubpath(); }
  else { path.moveTo(21,12); path.lineTo(13,4); path.lineTo(13,8); path.lineTo(3,8); path.lineTo(3,16); path.lineTo(13,16); path.lineTo(13,20); path.closeSubpath(); }
  p.drawPath(path); p.end(); save(i, name);
}
int main(int c, char **v) {
  QGuiApplication a(c, v);
  arrow("back", true); arrow("forward", false);
  { QImage i = canvas(); QPainter p(&i); p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(210, 40, 40)); p.setPen(QPen(QColor(120, 20, 20), 1));
    QPolygonF oct; for (int k = 0; k < 8; ++k) { double t = M_PI/8 + k*M_PI/4; oct << QPointF(12 + 10*cos(t), 12 + 10*sin(t)); }
    p.drawPolygon(oct); p.setPen(QPen(Qt::white, 2.5)); p.drawLine(8,8,16,16); p.drawLine(16,8,8,16); p.end(); save(i, "stop"); }
  { QImage i = canvas(); QPainter p(&i); p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 50, 20), 1)); p.setBrush(QColor(220, 120, 50));
    QPolygonF roof; roof << QPointF(2,12) << QPointF(12,3) << QPointF(22,12); p.drawPolygon(roof);
    p.setBrush(QColor(245, 230, 200)); p.drawRect(5, 12, 14, 9); p.setBrush(QColor(120, 80, 40)); p.drawRect(10, 15, 4, 6); p.end(); save(i, "home"); }
  { QImage i = canvas(); QPainter p(&i); p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 140, 60), 3, Qt::SolidLine, Qt::RoundCap)); p.drawArc(QRectF(4,4,16,16), 60*16, 280*16);
    p.setBrush(QColor(30, 140, 60)); p.setPen(Qt::NoPen); QPolygonF head; head << QPointF(13,1) << QPointF(20,5) << QPointF(13,9); p.drawPolygon(head); p.end(); save(i, "reload"); }
  { QImage i = canvas(); QPainter p(&i); p.setPen(QPen(QColor(60,60,60),1)); p.setBrush(Qt::white); p.drawRect(2,3,19,17);
    p.setBrush(QColor(250, 210, 80)); p.drawRect(2,3,7,17); p.end(); save(i, "sidebar"); }
  auto page = [](const char *name, QColor mark, const char *label) {
    QImage i = canvas(); QPainter p(&i); p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80,80,80),1)); p.setBrush(Qt::white);
    QPolygonF doc; doc << QPointF(4,2) << QPointF(15,2) << QPointF(20,7) << QPointF(20,22) << QPointF(4,22); p.drawPolygon(doc);
    p.setPen(Qt::NoPen); p.setBrush(mark); p.drawRect(6, 13, 12, 7);
    QFont f; f.setPixelSize(6); f.setBold(true); p.setFont(f); p.setPen(Qt::white); p.drawText(QRect(6,13,12,7), Qt::AlignCenter, label);
    p.end(); save(i, name); };
  page("page_web", QColor(40,110,200), "www");
  page("page_loading", QColor(230,160,20), "...");
  page("page_other", QColor(120,120,120), "doc");
  page("page_jpeg", QColor(40,150,70), "jpg");
  page("page_image", QColor(160,60,170), "img");
  return 0;
}
