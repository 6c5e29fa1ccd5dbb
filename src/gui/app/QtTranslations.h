#pragma once

namespace torvane {

// Makes Qt's own texts (file dialogs, standard buttons, the context menus of text fields) speak
// Japanese like the rest of the program, from the translations installed with Qt. Answers false
// when they are not installed; Qt's texts then stay English.
bool InstallQtTranslations();

} // namespace torvane
