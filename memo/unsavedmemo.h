#pragma once

#include <QString>

#include <optional>

// The memo pad's text that no file holds yet, kept in the program folder while it
// changes, so that a crash or a power cut does not take it. UTF-8 with "\n" line ends,
// whatever the text, since it has to come back unchanged.
namespace memo {

QString unsavedCopyPath();

// nullopt when nothing is kept or it cannot be read.
std::optional<QString> readUnsavedCopy();
bool keepUnsavedCopy(const QString &text);
void discardUnsavedCopy();

} // namespace memo
