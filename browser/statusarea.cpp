#include "browser/statusarea.h"

#include "app/layout.h"
#include "browser/pictures.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {

const char *const kPictures[] = {nullptr,
                                 nullptr,
                                 ":/icons/page_web.png",
                                 ":/icons/page_loading.png",
                                 ":/icons/page_other.png",
                                 ":/icons/page_jpeg.png",
                                 ":/icons/page_image.png"};

} // namespace

int pictureForAddress(const QString &url)
{
    int picture = url.size() >= 2 && url.at(1) == u't' ? 2 : 4;
    const QString end = url.right(2);
    if (end == u"pg" || end == u"PG")
        picture = 5;
    else if (end == u"if" || end == u"IF" || end == u"ng" || end == u"NG")
        picture = 6;
    return picture;
}

StatusArea::StatusArea(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame3"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setTextFormat(Qt::PlainText); // link texts come from pages
    m_sidebarButton = new QPushButton(QStringLiteral("サイドバー"), this);
    m_sidebarButton->setObjectName(QStringLiteral("Command5"));
    m_pageIcon = new QLabel(this);
    m_pageIcon->setObjectName(QStringLiteral("Image1"));
    m_pageIcon->setToolTip(QStringLiteral("ページのプロパティ"));
    m_pageIcon->installEventFilter(this);
    m_progress = new QFrame(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    // The window opens with its first page on the way.
    setPicture(3);
}

void StatusArea::setStatusText(const QString &text)
{
    m_status->setText(text);
}

QString StatusArea::statusText() const
{
    return m_status->text();
}

void StatusArea::setPicture(int position)
{
    // A repaint here recomposes the whole window with the page; an unchanged icon needs none.
    if (position == m_picture && !m_pageIcon->pixmap().isNull())
        return;
    m_picture = position;
    // The label is 16 pixels wide; the pixmap follows the window's pixel ratio.
    m_pageIcon->setPixmap(
        sharpIcon(QString::fromLatin1(kPictures[position])).pixmap(QSize(16, 16), devicePixelRatioF()));
}

void StatusArea::setProgressTwips(int twips)
{
    m_progressTwips = twips;
    m_progress->resize(twips / layout::kTwipsPerPixel, m_progress->height());
}

void StatusArea::stepProgress()
{
    setProgressTwips(m_progressTwips >= kProgressFull ? 5 : m_progressTwips + 10);
}

void StatusArea::setProgressTip(const QString &tip)
{
    m_progress->setToolTip(tip);
}

void StatusArea::arrange(int width)
{
    // The status text fills what the buttons on the right leave.
    const int h = height();
    m_progress->setGeometry(width - 80, 3, 75, qMax(0, h - 6));
    m_pageIcon->setGeometry(width - 100, 0, 16, h);
    m_sidebarButton->setGeometry(width - 175, 0, 70, h);
    m_status->setGeometry(4, 0, qMax(0, width - 180), h);
}

bool StatusArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pageIcon && event->type() == QEvent::MouseButtonRelease)
        Q_EMIT pictureClicked();
    return QFrame::eventFilter(watched, event);
}
