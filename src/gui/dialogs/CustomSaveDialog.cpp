#include "gui/dialogs/CustomSaveDialog.h"

#include "gui/i18n/Translate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace torvane {

namespace {

// One file type: its filter, the extension added to a name typed without one, and which of the
// panel's choices apply to it.
struct SaveFormat {
    const char* Filter;
    const char* Suffix;
    bool RelativePaths;
    bool Template;
    bool ExtendedChoice; // whether "拡張M3U" applies
};

// In filter order; the first is chosen when the dialog opens. A name typed without extension
// under "All Files" is saved as typed, in the plain format.
constexpr SaveFormat Formats[] = {
    {"M3U List File (*.m3u)", "m3u", true, false, true},
    {"M3U8 List File (*.m3u8)", "m3u8", true, false, false},
    {"PLS List File (*.pls)", "pls", true, false, false},
    {"XSPF List File (*.xspf)", "xspf", true, false, false},
    {"Text File (*.txt)", "txt", true, false, false},
    {"HTML File (*.htm)", "htm", false, true, false},
    {"All Files (*)", "", false, false, false},
};

const SaveFormat& FormatOf(const QString& filter) {
    for (const SaveFormat& format : Formats)
        if (filter == QLatin1String(format.Filter))
            return format;
    return Formats[0];
}

QString AskForFolder(QWidget* parent, const QString& start) {
    return QFileDialog::getExistingDirectory(
        parent, Tr(QT_TRANSLATE_NOOP("Torvane", "フォルダを選択してください。")), start);
}

} // namespace

CCustomSaveDialog::CCustomSaveDialog(const SaveDialogStart& start, QWidget* parent)
    : QFileDialog(parent), ChooseFolder(AskForFolder) {
    // The panel needs the dialog's own widgets: the desktop's native dialog cannot take it.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const SaveFormat& format : Formats)
        filters << QLatin1String(format.Filter);
    setNameFilters(filters);
    if (!start.Folder.isEmpty())
        setDirectory(start.Folder);
    selectFile(QStringLiteral("Torvane"));

    auto* grid = qobject_cast<QGridLayout*>(layout());
    QWidget* panel = BuildPanel(start);
    if (grid)
        grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());

    // The dialog's own labels name their lists for screen readers too.
    for (const auto& [label, list] :
         {std::pair{"lookInLabel", "lookInCombo"}, std::pair{"fileTypeLabel", "fileTypeCombo"}}) {
        auto* text = findChild<QLabel*>(QLatin1String(label));
        if (text && !text->buddy())
            text->setBuddy(findChild<QWidget*>(QLatin1String(list)));
    }

    connect(this, &QFileDialog::filterSelected, this, &CCustomSaveDialog::UseFormat);
    UseFormat(filters.front());
}

QWidget* CCustomSaveDialog::BuildPanel(const SaveDialogStart& start) {
    auto* panel = new QWidget;
    m_Relative = new QCheckBox(tr("相対パスで保存"));
    m_Extended = new QCheckBox(tr("拡張M3U"));
    m_Extended->setToolTip(
        tr("曲ごとに #EXTINF 行（再生時間・アーティスト - タイトル）を書きます"));
    m_BaseLabel = new QLabel(tr("ベースパス"));
    m_Base = new QLineEdit;
    m_Base->setReadOnly(true);
    m_Base->setMinimumWidth(240);
    m_Browse = new QPushButton(tr("参照"));
    m_TemplateLabel = new QLabel(tr("HTML保存/テンプレート："));
    m_Templates = new QComboBox;
    m_Templates->setMinimumContentsLength(16);

    m_Relative->setChecked(start.Relative);
    m_Extended->setChecked(start.ExtendedM3U);
    m_Base->setText(QString::fromStdString(start.BasePath));
    for (const std::string& name : start.Templates)
        m_Templates->addItem(QString::fromStdString(name));
    m_Templates->setEnabled(m_Templates->count() > 0);

    // The relative-path choices on the left, the template choice on the right.
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_Relative, 0, 0, 1, 2);
    layout->addWidget(m_Extended, 0, 2);
    layout->addWidget(m_BaseLabel, 1, 0);
    layout->addWidget(m_Base, 1, 1);
    layout->addWidget(m_Browse, 1, 2);
    layout->addWidget(m_TemplateLabel, 0, 3);
    layout->addWidget(m_Templates, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnMinimumWidth(3, m_TemplateLabel->sizeHint().width());

    ShowBaseControls(start.Relative);
    m_TemplateLabel->hide();
    m_Templates->hide();
    connect(m_Relative, &QCheckBox::toggled, this, &CCustomSaveDialog::ShowBaseControls);
    connect(m_Browse, &QPushButton::clicked, this, &CCustomSaveDialog::Browse);
    return panel;
}

std::array<QWidget*, 3> CCustomSaveDialog::BaseControls() const {
    return {m_BaseLabel, m_Base, m_Browse};
}

void CCustomSaveDialog::ShowBaseControls(bool shown) {
    for (QWidget* control : BaseControls())
        control->setVisible(shown);
}

// The relative choices serve the playlist types; the template choice, when there is one to
// make, shows with the HTML type only.
void CCustomSaveDialog::UseFormat(const QString& filter) {
    const SaveFormat& format = FormatOf(filter);
    m_Relative->setEnabled(format.RelativePaths);
    m_Extended->setEnabled(format.ExtendedChoice);
    for (QWidget* control : BaseControls())
        control->setEnabled(format.RelativePaths);
    if (m_Templates->count() > 0) {
        m_TemplateLabel->setVisible(format.Template);
        m_Templates->setVisible(format.Template);
    }
    setDefaultSuffix(QLatin1String(format.Suffix));
}

void CCustomSaveDialog::Browse() {
    const QString folder = ChooseFolder(this, directory().absolutePath());
    if (!folder.isEmpty())
        m_Base->setText(folder);
}

SaveChoice CCustomSaveDialog::Choice() const {
    SaveChoice choice;
    const QStringList files = selectedFiles();
    if (!files.isEmpty())
        choice.Path = files.front().toStdString();
    choice.Relative = m_Relative->isChecked();
    choice.ExtendedM3U = m_Extended->isChecked();
    choice.BasePath = m_Base->text().toStdString();
    choice.TemplateName = m_Templates->currentText().toStdString();
    return choice;
}

} // namespace torvane
