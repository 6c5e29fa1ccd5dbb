#include "gui/desktop/ChosenPaths.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <memory>

namespace torvane {
namespace {

// The names in folder that read as name when decoded as the dialogs decode them.
std::vector<std::string> LookAlikesIn(const std::string& folder, const QString& name) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "/" : folder.c_str()),
                                                  ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string bytes = entry->d_name;
        if (QFile::decodeName(bytes.c_str()) == name)
            names.push_back(bytes);
    }
    return names;
}

} // namespace

std::vector<std::string> PathsOfChosenName(const QString& chosen) {
    if (!chosen.contains(QChar::ReplacementCharacter) || !chosen.startsWith(QLatin1Char('/')))
        return {QFile::encodeName(chosen).toStdString()};
    // Component by component from the root, every folder whose name reads alike.
    std::vector<std::string> paths{std::string()};
    for (const QString& part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        std::vector<std::string> next;
        for (const std::string& folder : paths) {
            const std::vector<std::string> names =
                part.contains(QChar::ReplacementCharacter)
                    ? LookAlikesIn(folder, part)
                    : std::vector<std::string>{QFile::encodeName(part).toStdString()};
            for (const std::string& name : names)
                if (next.size() < MaxLookAlikes)
                    next.push_back(folder + "/" + name);
        }
        paths = std::move(next);
    }
    return paths;
}

} // namespace torvane
