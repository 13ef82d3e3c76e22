#include "memo/unsavedmemo.h"

#include "app/settingsstore.h"
#include "memo/memotext.h"
#include "platform/files.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace memo {

QString unsavedCopyPath()
{
    return programFolder() + u"memo-unsaved.txt"_s;
}

std::optional<QString> readUnsavedCopy()
{
    QFile file(unsavedCopyPath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // No more than the memo pad would open from a file.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileBytes)
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

bool keepUnsavedCopy(const QString &text)
{
    return platform::writeFileAtomically(unsavedCopyPath(), text.toUtf8());
}

void discardUnsavedCopy()
{
    QFile::remove(unsavedCopyPath());
}

} // namespace memo
