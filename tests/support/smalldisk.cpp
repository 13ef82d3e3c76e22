#include "tests/support/smalldisk.h"

#include <QFile>

#include <sys/mount.h>

SmallDisk::SmallDisk(const QString &path, const char *size)
    : m_path(QFile::encodeName(path))
{
    const QByteArray options = QByteArray("size=") + size + ",mode=0700";
    m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(m_path.constData(), MNT_DETACH);
}

bool SmallDisk::apply(Fault fault)
{
    if (fault == Fault::ReadOnly)
        return ::mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    QFile filler(QFile::decodeName(m_path) + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) { }
    return filler.error() != QFileDevice::NoError; // stopped by the full disk
}
