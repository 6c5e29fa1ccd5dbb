#pragma once

#include <QTranslator>

#include <memory>

namespace torvane {

// Qt's own texts (file dialogs, standard buttons, the context menus of text fields) in
// Japanese, from the translations installed with Qt; null when they are not installed, and
// Qt's texts then stay English.
std::unique_ptr<QTranslator> LoadQtTranslations();

// Loads them and installs them for the rest of the run. Answers false when they are missing.
bool InstallQtTranslations();

} // namespace torvane
