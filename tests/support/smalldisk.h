#pragma once

#include <QByteArray>
#include <QString>

// A small tmpfs mounted over a folder, so that writes meet a real full disk or a real
// read-only file system (which stops root too, unlike file modes). Mounting needs root;
// isMounted() tells whether it worked.
class SmallDisk
{
public:
    enum class Fault { DiskFull, ReadOnly };

    explicit SmallDisk(const QString &path, const char *size = "256k");
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    bool apply(Fault fault);

private:
    QByteArray m_path;
    bool m_mounted = false;
};
