#pragma once

#include <QCoreApplication>
#include <QString>

namespace torvane {

// The program's texts outside the command table, translated in the same context "Torvane".
inline QString Tr(const char* text) {
    return QCoreApplication::translate("Torvane", text);
}

} // namespace torvane
