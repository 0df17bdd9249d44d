#pragma once

class QCoreApplication;

namespace wirevane {

// Qt's own Japanese texts (context menus, standard buttons, file and font dialogs), so that
// they read in the language of the rest of the interface. Answers false when Qt's translations
// are not installed; the program then runs with Qt's English texts.
bool InstallQtTranslations(QCoreApplication& application);

} // namespace wirevane
