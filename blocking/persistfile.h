#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace platform {
class BrowserComponent;
}

// Saves the document a browser shows to a file. Failures are raised as PersistError with
// the code the caller reports: 91 when no document is held, the component's result code
// otherwise.
struct PersistError
{
    int number;
};

class PersistFile
{
public:
    static constexpr int kNoObject = 91;
    static constexpr int kNoInterface = int(0x80004002); // E_NOINTERFACE
    static constexpr int kFailed = int(0x80004005);      // E_FAIL

    // Takes the object's document. An object that is not a browser raises kNoInterface and
    // leaves none held; nullptr just lets go.
    void setObject(QObject *object);

    // Writes the document to the file; done(0) on success, done(code) on failure, later,
    // when the document has arrived. Raises 91 at once when no document is held.
    void save(const QString &fileName, bool remember, std::function<void(int)> done);

private:
    QPointer<platform::BrowserComponent> m_document;
};
