#include "gui/bars/Bars.h"

#include "gui/i18n/Translate.h"
#include "gui/widgets/SearchControls.h"
#include "gui/widgets/SearchTextValidator.h"

#include "core/record/SizeFormat.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace torvane {
namespace {

QComboBox* MakeList(std::initializer_list<const char*> entries, const char* name,
                    const char* prompt) {
    auto* list = new QComboBox;
    list->setAccessibleName(Tr(name));
    for (const char* entry : entries)
        list->addItem(Tr(entry));
    list->setCurrentIndex(0);
    list->setStatusTip(Tr(prompt));
    return list;
}

QLabel* MakeLabel(const char* text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(Tr(text));
    label->setBuddy(buddy);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}

QLineEdit* MakeTotalField() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setTextMargins(2, 0, 2, 0);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFixedWidth(110);
    return field;
}

// Buttons of actions without an icon show their caption.
void AddTextButton(QToolBar* bar, QAction* action) {
    bar->addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

} // namespace

CSearchBar::CSearchBar(QAction* modeSwitch, QAction* search, QAction* narrow, QWidget* parent)
    : QToolBar(Tr(QT_TRANSLATE_NOOP("Torvane", "サーチ バー")), parent),
      m_Target(MakeList({QT_TRANSLATE_NOOP("Torvane", "ファイルパス"),
                         QT_TRANSLATE_NOOP("Torvane", "ファイル名"),
                         QT_TRANSLATE_NOOP("Torvane", "TAG-タイトル"),
                         QT_TRANSLATE_NOOP("Torvane", "TAG-アーティスト"),
                         QT_TRANSLATE_NOOP("Torvane", "TAG-アルバム"),
                         QT_TRANSLATE_NOOP("Torvane", "TAG-コメント")},
                        QT_TRANSLATE_NOOP("Torvane", "検索対象"),
                        QT_TRANSLATE_NOOP("Torvane", "検索対象を選択してください"))),
      m_Text(new QLineEdit),
      m_Exclude(
          MakeList({QT_TRANSLATE_NOOP("Torvane", "含む"), QT_TRANSLATE_NOOP("Torvane", "含まない")},
                   QT_TRANSLATE_NOOP("Torvane", "含む/含まない"),
                   QT_TRANSLATE_NOOP("Torvane", "\"含まない\"を選ぶと、NOT検索となります"))),
      m_Existence(MakeList(
          {QT_TRANSLATE_NOOP("Torvane", "すべて"), QT_TRANSLATE_NOOP("Torvane", "存在する"),
           QT_TRANSLATE_NOOP("Torvane", "存在しない")},
          QT_TRANSLATE_NOOP("Torvane", "ファイルの存在"),
          QT_TRANSLATE_NOOP("Torvane",
                            "存在する/しない を選択する事で、ファイルの存在確認が出来ます。"))) {
    setObjectName(QStringLiteral("SearchBar"));
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_Text->setValidator(new CSearchTextValidator(m_Text));
    m_Text->setTextMargins(2, 0, 2, 0);
    m_Text->setMinimumWidth(160);
    m_Text->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "検索する文字列")));
    m_Text->setStatusTip(Tr(QT_TRANSLATE_NOOP(
        "Torvane", "検索する文字列を入力してください。スペースで区切ることでAND検索ができます")));

    addAction(modeSwitch);
    addWidget(m_Target);
    addWidget(MakeLabel(QT_TRANSLATE_NOOP("Torvane", "に")));
    addWidget(m_Text);
    addWidget(MakeLabel(QT_TRANSLATE_NOOP("Torvane", "を")));
    addWidget(m_Exclude);
    addWidget(m_Existence);
    AddTextButton(this, search);
    AddTextButton(this, narrow);

    connect(m_Text, &QLineEdit::textChanged, this, &CSearchBar::inputChanged);
    for (QComboBox* list : {m_Target, m_Exclude, m_Existence})
        connect(list, &QComboBox::currentIndexChanged, this, &CSearchBar::inputChanged);
}

QString CSearchBar::Text() const {
    return m_Text->text();
}
SearchTarget CSearchBar::Target() const {
    return ChoiceOf<SearchTarget>(*m_Target);
}
TermCondition CSearchBar::Exclude() const {
    return ChoiceOf<TermCondition>(*m_Exclude);
}
FileExistence CSearchBar::Existence() const {
    return ChoiceOf<FileExistence>(*m_Existence);
}

QString SizeTotalText(uint64_t bytes) {
    if (bytes == 0)
        return {};
    return QString::fromStdString(FormatSizeUnits(static_cast<int64_t>(bytes), 2)) +
           QStringLiteral(" Mbyte");
}

QString TimeTotalText(int64_t seconds) {
    if (seconds <= 0)
        return {};
    return QStringLiteral("%1.%2 min")
        .arg(seconds / 60)
        .arg((seconds % 60) * 100 / 60, 2, 10, QLatin1Char('0'));
}

CSizeBar::CSizeBar(QAction* compute, QWidget* parent)
    : QToolBar(Tr(QT_TRANSLATE_NOOP("Torvane", "サイズ バー")), parent), m_Always(new QCheckBox),
      m_Size(MakeTotalField()), m_Time(MakeTotalField()) {
    setObjectName(QStringLiteral("SizeBar"));
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_Always->setToolTip(Tr(QT_TRANSLATE_NOOP("Torvane", "常に再計算")));
    m_Always->setAccessibleName(m_Always->toolTip());
    m_Always->setStatusTip(Tr(QT_TRANSLATE_NOOP("Torvane", "常に再計算を行います。")));
    addWidget(m_Always);
    AddTextButton(this, compute);
    addWidget(MakeLabel(QT_TRANSLATE_NOOP("Torvane", "容量"), m_Size));
    addWidget(m_Size);
    addWidget(MakeLabel(QT_TRANSLATE_NOOP("Torvane", "時間"), m_Time));
    addWidget(m_Time);
}

void CSizeBar::ShowTotals(uint64_t bytes, int64_t seconds) {
    m_Size->setText(SizeTotalText(bytes));
    m_Time->setText(TimeTotalText(seconds));
}

QString CSizeBar::SizeText() const {
    return m_Size->text();
}
QString CSizeBar::TimeText() const {
    return m_Time->text();
}

} // namespace torvane
