#include "tests/support/tempprogramfolder.h"

#include <QFile>

namespace {
const char kHome[] = "YURAGINE_HOME";
}

TempProgramFolder::TempProgramFolder()
    : m_previous(qgetenv(kHome))
    , m_hadPrevious(qEnvironmentVariableIsSet(kHome))
{
    qputenv(kHome, QFile::encodeName(m_dir.path()));
}

TempProgramFolder::~TempProgramFolder()
{
    // Give write permission back so the folder can be removed after read-only tests.
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (m_hadPrevious)
        qputenv(kHome, m_previous);
    else
        qunsetenv(kHome);
}

QByteArray TempProgramFolder::read(const QString &name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
