#include "gui/dialogs/FolderSearchDialog.h"

#include "gui/widgets/AccessibleNames.h"
#include "gui/widgets/SearchControls.h"
#include "gui/widgets/SearchTextValidator.h"

#include "core/base/Paths.h"
#include "core/doc/UiHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace torvane {
namespace {

// The text holds what the request's text field holds: at most 250 bytes.
class CByteLimitValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        return input.toUtf8().size() <= CSearchTextValidator::MaxBytes ? Acceptable : Invalid;
    }
};

} // namespace

CFolderSearchDialog::CFolderSearchDialog(CUiHost& host, const std::map<std::string, int>& iconMap,
                                         QWidget* parent)
    : QDialog(parent), m_Host(host), m_Folder(new QLineEdit),
      m_Target(NewChoiceList({QT_TRANSLATE_NOOP("Torvane", "ファイルパス"),
                              QT_TRANSLATE_NOOP("Torvane", "ファイル名")})),
      m_Text(new QLineEdit), m_Exclude(NewChoiceList({QT_TRANSLATE_NOOP("Torvane", "含む"),
                                                      QT_TRANSLATE_NOOP("Torvane", "含まない")})),
      m_UseExtension(new QCheckBox(tr("拡張子 ："))), m_Extension(NewExtensionBox(iconMap)),
      m_UseSize(new QCheckBox(tr("ファイルサイズ ："))), m_Size(new QLineEdit(QStringLiteral("0"))),
      m_SizeAtMost(NewBoundList()), m_Search(new QPushButton(tr("検索"))) {
    setWindowTitle(tr("フォルダから検索して追加"));
    auto* browse = new QPushButton(tr("参照"));
    auto* cancel = new QPushButton(tr("Cancel"));
    m_Folder->setMinimumWidth(300);
    m_Text->setValidator(new CByteLimitValidator(m_Text));
    m_Size->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_Size));
    m_Size->setAlignment(Qt::AlignRight);
    m_Search->setDefault(true);
    NameControl(m_Extension, tr("拡張子"));
    NameControl(m_Size, tr("ファイルサイズ (KB)"));
    NameControl(m_SizeAtMost, tr("ファイルサイズの条件"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(NewFieldLabel(tr("検索するフォルダ："), m_Folder), 0, 0, 1, 4);
    layout->addWidget(m_Folder, 1, 0, 1, 4);
    layout->addWidget(browse, 1, 4);
    layout->addWidget(NewFieldLabel(tr("検索範囲 ："), m_Target), 2, 0);
    layout->addWidget(m_Target, 2, 1, 1, 2);
    layout->addWidget(NewFieldLabel(tr("検索文字列 ："), m_Text), 3, 0);
    layout->addWidget(m_Text, 3, 1, 1, 4);
    layout->addWidget(NewFieldLabel(tr("条件 ："), m_Exclude), 4, 0);
    auto* condition = new QHBoxLayout;
    condition->addWidget(new QLabel(tr("文字列を")));
    condition->addWidget(m_Exclude);
    condition->addWidget(new QLabel(tr("ファイル")));
    condition->addStretch();
    layout->addLayout(condition, 4, 1, 1, 4);
    layout->addWidget(m_UseExtension, 5, 0);
    layout->addWidget(m_Extension, 5, 1, 1, 2);
    layout->addWidget(m_UseSize, 6, 0);
    layout->addWidget(m_Size, 6, 1);
    layout->addWidget(new QLabel(QStringLiteral("KB")), 6, 2);
    layout->addWidget(m_SizeAtMost, 6, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_Search);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 7, 0, 1, 5);

    connect(browse, &QPushButton::clicked, this, &CFolderSearchDialog::Browse);
    connect(m_Search, &QPushButton::clicked, this, &CFolderSearchDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QCheckBox* box : {m_UseExtension, m_UseSize})
        connect(box, &QCheckBox::toggled, this, &CFolderSearchDialog::UpdateEnabling);
    UpdateEnabling();
}

std::string CFolderSearchDialog::Folder() const {
    return m_Folder->text().toStdString();
}

void CFolderSearchDialog::UpdateEnabling() {
    m_Extension->setEnabled(m_UseExtension->isChecked());
    m_Size->setEnabled(m_UseSize->isChecked());
    m_SizeAtMost->setEnabled(m_UseSize->isChecked());
}

// Only the folder changes; the conditions keep what was entered.
void CFolderSearchDialog::Browse() {
    const QUrl folder = QFileDialog::getExistingDirectoryUrl(
        this, tr("フォルダを選択してください。"), QUrl::fromLocalFile(QDir::currentPath()));
    if (folder.isEmpty())
        return;
    if (!folder.isLocalFile()) {
        m_Host.ShowMessage(MessageKind::Error, MessageId::InvalidFolderName, MessageButtons::Ok);
        return;
    }
    m_Folder->setText(folder.toLocalFile());
}

void CFolderSearchDialog::accept() {
    const std::optional<int32_t> size = ReadInteger(m_Host, *m_Size);
    if (!size)
        return;
    if (m_Folder->text().isEmpty() || KindOf(Folder()) != PathKind::Folder) {
        m_Host.ShowMessage(MessageKind::Refusal, MessageId::InvalidFolderNameRetry,
                           MessageButtons::Ok);
        m_Folder->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_Request = SearchRequest{};
    m_Request.target = ChoiceOf<SearchTarget>(*m_Target);
    SplitSearchTerms(m_Request, m_Text->text().toStdString());
    m_Request.exclude = ChoiceOf<TermCondition>(*m_Exclude);
    m_Request.useExtension = m_UseExtension->isChecked();
    m_Request.extension = ExtensionOf(*m_Extension);
    m_Request.useSize = m_UseSize->isChecked();
    m_Request.sizeKB = *size;
    m_Request.sizeAtMost = ChoiceOf<Bound>(*m_SizeAtMost);
    QDialog::accept();
}

} // namespace torvane
