#pragma once

#include <QList>
#include <QString>

namespace platform {

struct Drive
{
    enum class Type { Unknown, Removable, Fixed, Network, CdRom, RamDisk };
    QString letter; // "C"
    Type type = Type::Unknown;

    bool operator==(const Drive &) const = default;
};

class DriveList
{
public:
    virtual ~DriveList() = default;
    virtual QList<Drive> drives() const = 0;
};

// Drive letters do not exist here; the list is empty.
class SystemDriveList : public DriveList
{
public:
    QList<Drive> drives() const override { return {}; }
};

} // namespace platform
