#pragma once

#include <QString>

#include <string>
#include <vector>

namespace torvane {

// The file dialogs hand back a chosen file as text, in which every byte of a name that is not
// UTF-8 has become U+FFFD: encoded back, it would name another file or none (two files
// "a\xE9.mp3" and "a\xEF\xBF\xBD.mp3" both come back as "a\uFFFD.mp3"). Answers the paths, as
// bytes, of the existing files whose names read as the chosen text: the one path for a name
// without U+FFFD, every look-alike otherwise (at most MaxLookAlikes), so the file the user
// chose is among them and no file is taken that reads differently. None when nothing matches.
constexpr size_t MaxLookAlikes = 16;
std::vector<std::string> PathsOfChosenName(const QString& chosen);

} // namespace torvane
