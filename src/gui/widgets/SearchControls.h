#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>
#include <string>

class QComboBox;
class QLineEdit;

namespace torvane {

class CUiHost;

// Controls that the two search dialogs share.

// A drop-down list of fixed entries, on its first entry.
QComboBox* NewChoiceList(std::initializer_list<const char*> entries);
// "以上" (Bound::AtLeast) and "以下" (Bound::AtMost).
QComboBox* NewBoundList();

// The entry chosen in a list whose entries stand in the order of the enumeration E.
int ChosenIndex(const QComboBox& list);
template <class E> E ChoiceOf(const QComboBox& list) {
    return static_cast<E>(ChosenIndex(list));
}
// An editable box offering the extensions of the icon map in ascending order; starts empty and
// lowers the letters A to Z as they are typed.
QComboBox* NewExtensionBox(const std::map<std::string, int>& iconMap);

// The extension typed or chosen, lower case.
std::string ExtensionOf(const QComboBox& box);

// Reads a whole number the way dialog validation does. A text that is no 32-bit integer gives
// "整数を入力してください。", one outside min..max "%1 から %2 までの整数を入力してください。";
// the message shows with the program's name as its caption, the field takes the focus with its
// text selected, and the answer is empty.
std::optional<int32_t> ReadInteger(CUiHost& host, QLineEdit& field,
                                   int32_t min = std::numeric_limits<int32_t>::min(),
                                   int32_t max = std::numeric_limits<int32_t>::max());

} // namespace torvane
