#include "gui/i18n/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace torvane {

// The interface is Japanese whatever the locale, so Qt's catalogue is chosen by name; "qt_ja"
// brings the catalogues of the Qt modules it depends on with it.
std::unique_ptr<QTranslator> LoadQtTranslations() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qt_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

bool InstallQtTranslations() {
    std::unique_ptr<QTranslator> translator = LoadQtTranslations();
    if (!translator || !QCoreApplication::installTranslator(translator.get()))
        return false;
    translator.release()->setParent(QCoreApplication::instance());
    return true;
}

} // namespace torvane
