#pragma once

#include "platform/registry.h"

#include <QHash>
#include <QPair>

// Registry values in memory.
class MemoryRegistry : public platform::RegistryGateway
{
public:
    // Direct access for tests, path as written (any case).
    QVariant stored(const QString &path, const QString &name) const
    {
        return value(normalizedPath(path), name.toLower());
    }
    void setFailing(bool failing) { m_failing = failing; }

protected:
    QVariant value(const QString &path, const QString &name) const override { return m_values.value({path, name}); }
    bool setValue(const QString &path, const QString &name, const QVariant &value) override
    {
        if (m_failing)
            return false;
        m_values.insert({path, name}, value);
        return true;
    }

private:
    QHash<QPair<QString, QString>, QVariant> m_values;
    bool m_failing = false;
};
