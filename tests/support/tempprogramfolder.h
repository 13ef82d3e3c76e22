#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test: YURAGINE_HOME points at it while the object lives
// and is restored afterwards.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder &) = delete;
    TempProgramFolder &operator=(const TempProgramFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Raw bytes of a file in the folder; empty when it does not exist.
    QByteArray read(const QString &name) const;
    bool write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};
