#pragma once

#include <QCoreApplication>
#include <QString>

namespace torvane {

// The program's texts outside the command table, translated in the same context "Torvane".
// A literal is marked where it stands, Tr(QT_TRANSLATE_NOOP("Torvane", "...")), so that lupdate
// gathers it into the catalogue (src/gui/translations).
inline QString Tr(const char* text) {
    return QCoreApplication::translate("Torvane", text);
}

} // namespace torvane
