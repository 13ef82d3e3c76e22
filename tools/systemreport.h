#pragma once

#include "platform/systeminfo.h"

#include <QSize>
#include <QString>

// The texts that tell what the program runs on: the bug report for the memo pad and the
// about box's lines.
namespace systemreport {

struct Facts
{
    QString programName; // the executable's name without extension
    int majorVersion = 4;
    int minorVersion = 0;
    platform::OsVersion os;
    QSize screen;
    int windowCount = 0; // the program's open windows
    // The raw texts of the settings file; "" for a missing key.
    QString nstag, cookiesEdit, bba, wvs, exstyle, exstyleValue;
};

// The report, CR LF line ends. Component files of the old platform have no version here,
// so their lines end "( Version: )".
QString bugReport(const Facts &facts);

// "major.minor.build".
QString versionText(const platform::OsVersion &version);

// The about box's system line: a Windows name chosen by the version, or that the system
// is not known. Only a Windows version has a name; this platform's are never one.
QString osLabel(const platform::OsVersion &version, bool windows);

} // namespace systemreport
