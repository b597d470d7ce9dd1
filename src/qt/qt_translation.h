#pragma once

class QCoreApplication;

namespace tavorin {

// Loads Qt's own Simplified Chinese texts (file dialogs, message-box
// buttons, context menus) and makes Chinese the default locale, so no English shows in the program whatever the
// system's language. Returns false when the translation is not installed;
// the program then runs with Qt's English texts.
bool InstallQtTranslation(QCoreApplication& app);

}  // namespace tavorin
