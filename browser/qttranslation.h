#pragma once

class QCoreApplication;

// Loads Qt's own Japanese texts (はい, いいえ, キャンセル on standard buttons and dialogs).
// False when the translation is not installed; the program then runs with Qt's English.
bool installQtTranslation(QCoreApplication &application);
