#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace platform {
class RegistryGateway;
}

// The languages pages are asked for, in order of preference. Kept where the Internet
// options keep them, as an Accept-Language value.
namespace languages {

// "ja,en-US;q=0.9,en;q=0.8" from {"ja", "en-US", "en"}: falling weights in steps of 0.1,
// never below 0.1.
QString acceptLanguageHeader(const QStringList &languages);
// The language tags of a header, in its order, weights dropped, duplicates and blanks
// left out.
QStringList languagesFromHeader(const QString &header);
// A tag as it may stand in a header: letters, digits and "-", 1 to 35 characters.
bool isLanguageTag(const QString &tag);

// What pages are asked for until the user orders the list: Japanese first.
QStringList defaultLanguages();
// The header to send: the stored one when it names a language, else the default list's.
QString headerToSend(const QString &stored);

QString stored(platform::RegistryGateway &registry);
bool store(platform::RegistryGateway &registry, const QString &header);

} // namespace languages

// Orders, adds and removes languages; the caller stores the result when accepted.
class LanguageDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LanguageDialog(const QStringList &languages, QWidget *parent = nullptr);
    QStringList languages() const;

private:
    void move(int step);
    void add();
    QListWidget *m_list;
};
