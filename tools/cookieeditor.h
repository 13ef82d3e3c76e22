#pragma once

#include <QString>

// The rules of the cookie editor, apart from its window.
namespace cookies {

// Whether "CookiesEdit" offers the cookie editor: a number other than 0. Missing or not a
// number counts as 0.
bool editorEnabled(const QString &cookiesEdit);

// The same, read from the settings file now, so a change made a moment ago counts.
bool editorEnabled();

// Deletes the files named "*.txt" (any letter case) directly in folder; other files and
// read-only ones stay. false when one of them could not be deleted. A missing folder has
// nothing to delete.
bool deleteTextFiles(const QString &folder);

} // namespace cookies
