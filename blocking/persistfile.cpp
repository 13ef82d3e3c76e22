#include "blocking/persistfile.h"

#include "platform/browsercomponent.h"

void PersistFile::setObject(QObject *object)
{
    m_document.clear();
    if (!object)
        return;
    auto *browser = qobject_cast<platform::BrowserComponent *>(object);
    if (!browser)
        throw PersistError {kNoInterface};
    m_document = browser;
}

void PersistFile::save(const QString &fileName, bool remember, std::function<void(int)> done)
{
    Q_UNUSED(remember); // the file name is not kept as the document's own
    if (!m_document)
        throw PersistError {kNoObject};
    m_document->saveDocument(fileName, [done = std::move(done)](bool ok) { done(ok ? 0 : kFailed); });
}
