#include "linktool/linktoolaboutbox.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    // Moves over a label, which passes them on, are moves over the box.
    l->setMouseTracking(true);
    return l;
}

// The box's picture: an ivy leaf (tsuta no ha), drawn rather than shipped, at the screen's
// pixel density so that it stays sharp on a 2x screen.
QPixmap leafPicture(qreal ratio)
{
    QPixmap picture(QSize(64, 64) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath leaf;
    leaf.moveTo(32, 60);
    leaf.cubicTo(8, 48, 2, 24, 14, 10);
    leaf.cubicTo(22, 18, 26, 14, 32, 4);
    leaf.cubicTo(38, 14, 42, 18, 50, 10);
    leaf.cubicTo(62, 24, 56, 48, 32, 60);
    painter.fillPath(leaf, QColor(0x2E, 0x8B, 0x3A));
    painter.setPen(QPen(QColor(0xD8, 0xF0, 0xC8), 2));
    painter.drawLine(QPointF(32, 58), QPointF(32, 12));
    painter.drawLine(QPointF(32, 40), QPointF(18, 22));
    painter.drawLine(QPointF(32, 40), QPointF(46, 22));
    return picture;
}

} // namespace

LinkToolAboutBox::LinkToolAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"Form2m"_s);
    setWindowTitle(u"バージョン情報"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setMouseTracking(true);

    auto *picture = label(this, "Image1", QString());
    picture->setPixmap(leafPicture(devicePixelRatioF()));
    auto *name = label(this, "Label1", u"ツタノハPro"_s);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    name->setFont(bold);
    auto *grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(label(this, "Label2", u"ハイパーリンク解析ツール"_s), 1, 1);
    grid->addWidget(label(this, "Label3", u"Ver1.07"_s), 2, 1);
    grid->addWidget(label(this, "Label4", u"画像：ツタの葉（ゆらぎね 自作）"_s), 3, 0, 1, 2);
    grid->addWidget(label(this, "Label5", u"このソフトウェアはフリーソフトウェアです。"_s), 4, 0, 1, 2);
    grid->addWidget(label(this, "Label6", u"ご利用は自己責任でお願いします。"_s), 5, 0, 1, 2);
    m_ok = label(this, "Label7", u"OK"_s);
    QFont underlined = m_ok->font();
    underlined.setUnderline(true);
    m_ok->setFont(underlined);
    m_ok->setCursor(Qt::PointingHandCursor);
    m_ok->installEventFilter(this);
    grid->addWidget(m_ok, 6, 0, 1, 2, Qt::AlignRight);
    setOkColor(kPlainColor);
}

QColor LinkToolAboutBox::okColor() const
{
    return m_ok->palette().color(QPalette::WindowText);
}

void LinkToolAboutBox::setOkColor(QRgb color)
{
    QPalette palette = m_ok->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(color));
    m_ok->setPalette(palette);
}

bool LinkToolAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ok)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        setOkColor(kHoverColor);
        return true; // the box's own handler would make it black again
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            break;
        close();
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void LinkToolAboutBox::mouseMoveEvent(QMouseEvent *event)
{
    setOkColor(kPlainColor);
    QDialog::mouseMoveEvent(event);
}
