#include "gui/bars/DataBar.h"

#include "gui/i18n/InterfaceLanguage.h"
#include "gui/i18n/Translate.h"
#include "gui/widgets/Icons.h"

#include "core/base/DisplayPath.h"
#include "core/commands/DataBarTexts.h"
#include "core/record/ListData.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvane {
namespace {

QLineEdit* MakeField() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setTextMargins(2, 0, 2, 0);
    return field;
}

// A button that runs its command: enabled while the command is, with its own caption, prompt
// and tip.
QToolButton* MakeCommandButton(QAction* command, const QString& caption, const QIcon& icon,
                               const char* prompt, const char* tip) {
    auto* button = new QToolButton;
    if (icon.isNull()) {
        button->setText(caption);
    } else {
        button->setIcon(icon);
        button->setAccessibleName(caption);
    }
    button->setStatusTip(Tr(prompt));
    button->setToolTip(Tr(tip));
    button->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::enabledChanged, button, &QWidget::setEnabled);
    QObject::connect(button, &QToolButton::clicked, command, &QAction::trigger);
    return button;
}

} // namespace

CDataBar::CDataBar(QAction* copyPath, QAction* play, QAction* openFolder, QWidget* parent)
    : QDockWidget(QString(), parent) {
    setObjectName(QStringLiteral("DataBar"));
    setAllowedAreas(Qt::LeftDockWidgetArea);
    for (QLineEdit*& field : m_Fields)
        field = MakeField();

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("Path"), m_Fields[Path]);
    top->addRow(QStringLiteral("Name"), m_Fields[Name]);
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(MakeButtonRow(copyPath, play, openFolder));
    layout->addWidget(MakeFactsGroup());
    layout->addStretch(1);
    panel->setMinimumWidth(206);
    setWidget(panel);
}

QWidget* CDataBar::MakeButtonRow(QAction* copyPath, QAction* play, QAction* openFolder) {
    m_Fix = new QCheckBox(Tr(QT_TRANSLATE_NOOP("Torvane", "データ固定")));
    m_Copy = MakeCommandButton(
        copyPath, QStringLiteral("Copy"), QIcon(),
        QT_TRANSLATE_NOOP("Torvane",
                          "選択中のアイテムのファイルパスをクリップボードへコピーします"),
        QT_TRANSLATE_NOOP("Torvane", "パスをコピー"));
    m_Play =
        MakeCommandButton(play, QStringLiteral("Play"),
                          WithDisabledLook(ThemeIcon("media-playback-start", QStyle::SP_MediaPlay)),
                          QT_TRANSLATE_NOOP("Torvane", "選択中のファイルを再生します"),
                          QT_TRANSLATE_NOOP("Torvane", "再生"));
    m_Open =
        MakeCommandButton(openFolder, QStringLiteral("Open"),
                          WithDisabledLook(ThemeIcon("folder-open", QStyle::SP_DirOpenIcon)),
                          QT_TRANSLATE_NOOP("Torvane", "ファイルが存在しているフォルダを開きます"),
                          QT_TRANSLATE_NOOP("Torvane", "一つ上のフォルダを開く"));
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_Fix);
    layout->addStretch(1);
    for (QToolButton* button : {m_Copy, m_Play, m_Open})
        layout->addWidget(button);
    return row;
}

QWidget* CDataBar::MakeFactsGroup() {
    auto* group = new QGroupBox;
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const std::pair<const char*, Field> rows[] = {
        {"TrackTitle", Title}, {"Artist", Artist}, {"Album", Album}, {"Comment", Comment},
        {"FormatType", Type},  {"Time", Time},     {"Size", Size},   {"Rate", Rate}};
    for (const auto& [label, field] : rows)
        form->addRow(QString::fromLatin1(label), m_Fields[field]);
    return group;
}

bool CDataBar::Fixed() const {
    return m_Fix->isChecked();
}

QString CDataBar::Text(Field field) const {
    return m_Fields[field]->text();
}

void CDataBar::Fill(const CListData* record, TagMode tagMode, const CTextCodec& codec) {
    if (Fixed())
        return;
    DataBarTexts texts = record ? DataBarTextsOf(*record, tagMode) : DataBarTexts{};
    // the path and the name as they are shown, never used to reach the file
    texts.Path = DisplayPath(texts.Path, codec);
    texts.Name = DisplayPath(texts.Name, codec);
    const std::pair<Field, const std::string*> values[] = {
        {Path, &texts.Path},     {Name, &texts.Name},   {Title, &texts.Title},
        {Artist, &texts.Artist}, {Album, &texts.Album}, {Comment, &texts.Comment},
        {Type, &texts.Type},     {Time, &texts.Time},   {Size, &texts.Size},
        {Rate, &texts.Rate}};
    for (const auto& [field, value] : values) {
        m_Fields[field]->setText(field == Type ? TypeText(*value) : QString::fromStdString(*value));
        m_Fields[field]->setCursorPosition(0);
    }
    setWindowTitle(QString::fromStdString(texts.Name));
}

} // namespace torvane
