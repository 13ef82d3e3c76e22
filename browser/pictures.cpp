#include "browser/pictures.h"

// The pictures live in this static library; its resources must be registered by hand.
static void initPictureResources()
{
    Q_INIT_RESOURCE(icons);
}

QIcon programIcon()
{
    initPictureResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/yuragine-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon sharpIcon(const QString &path)
{
    initPictureResources();
    // QIcon looks for "@2x" only at the pixel ratio of the moment it is made, which misses a
    // 2x screen plugged in later, and every 2x screen under a 1x primary one.
    QIcon icon(path);
    if (path.endsWith(QLatin1String(".png")))
        icon.addFile(path.chopped(4) + QStringLiteral("@2x.png"));
    return icon;
}
