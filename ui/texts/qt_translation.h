// Qt's own texts (file dialogs, standard buttons, context menus, the print
// and page set-up dialogs) follow the program's language: German loads Qt's
// German catalogue for the whole program, English removes it again.
#pragma once

namespace korvane::texts {

// Installs or removes the German catalogue for language 0 / 1. Without a
// running QCoreApplication it only remembers nothing and returns false.
bool applyQtTranslation(int language);
// True while Qt's German catalogue is installed.
bool qtTranslationLoaded();

}  // namespace korvane::texts
