#include "gui/widgets/AccessibleNames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace torvane {

QLabel* NewFieldLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

void NameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    if (auto* list = qobject_cast<QComboBox*>(control); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(name);
}

} // namespace torvane
