#include "gui/widgets/SearchControls.h"

#include "gui/i18n/Translate.h"
#include "gui/widgets/SearchTextValidator.h"

#include "core/base/AsciiText.h"
#include "core/doc/UiHost.h"

#include <QComboBox>
#include <QLineEdit>

namespace torvane {
namespace {

void Refuse(CUiHost& host, QLineEdit& field, const CMessage& message) {
    host.ShowMessage(MessageKind::Refusal, message, MessageButtons::Ok);
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
}

} // namespace

QComboBox* NewChoiceList(std::initializer_list<const char*> entries) {
    auto* list = new QComboBox;
    for (const char* entry : entries)
        list->addItem(Tr(entry));
    list->setCurrentIndex(0);
    return list;
}

QComboBox* NewBoundList() {
    return NewChoiceList(
        {QT_TRANSLATE_NOOP("Torvane", "以上"), QT_TRANSLATE_NOOP("Torvane", "以下")});
}

int ChosenIndex(const QComboBox& list) {
    return list.currentIndex();
}

QComboBox* NewExtensionBox(const std::map<std::string, int>& iconMap) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(6);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const auto& entry : iconMap)
        box->addItem(QString::fromStdString(entry.first));
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    box->lineEdit()->setValidator(new CSearchTextValidator(box));
    return box;
}

std::string ExtensionOf(const QComboBox& box) {
    return LowerAscii(box.currentText().toStdString());
}

std::optional<int32_t> ReadInteger(CUiHost& host, QLineEdit& field, int32_t min, int32_t max) {
    bool ok = false;
    const int32_t value = field.text().trimmed().toInt(&ok);
    if (!ok) {
        Refuse(host, field, MessageId::IntegerExpected);
        return std::nullopt;
    }
    if (value < min || value > max) {
        Refuse(host, field, CMessage(MessageId::IntegerBetween).Number(min).Number(max));
        return std::nullopt;
    }
    return value;
}

} // namespace torvane
