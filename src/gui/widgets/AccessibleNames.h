#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace torvane {

// A label for the field beside it: a screen reader says its text on entering the field, and its
// "&" letter, when it has one, takes the keyboard there.
QLabel* NewFieldLabel(const QString& text, QWidget* field);

// Names a control for screen readers where no label stands beside it; an editable list's own
// text field gets the same name.
void NameControl(QWidget* control, const QString& name);

} // namespace torvane
