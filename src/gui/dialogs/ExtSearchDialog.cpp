#include "gui/dialogs/ExtSearchDialog.h"

#include "gui/widgets/AccessibleNames.h"
#include "gui/widgets/SearchControls.h"

#include "core/doc/UiHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace torvane {
namespace {

QLineEdit* NewNumberField(int width) {
    auto* field = new QLineEdit(QStringLiteral("0"));
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(width);
    return field;
}

// An editable box of usual values that takes any typed integer; it shows 0 at first.
QComboBox* NewRateBox(std::initializer_list<const char*> values) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(6);
    for (const char* value : values)
        box->addItem(QString::fromLatin1(value));
    box->setEditText(QStringLiteral("0"));
    return box;
}

} // namespace

CExtSearchDialog::CExtSearchDialog(CUiHost& host, const std::map<std::string, int>& iconMap,
                                   QWidget* parent)
    : QDialog(parent), m_Host(host),
      m_Target(NewChoiceList({QT_TRANSLATE_NOOP("Torvane", "ファイルパス"),
                              QT_TRANSLATE_NOOP("Torvane", "ファイル名"),
                              QT_TRANSLATE_NOOP("Torvane", "TAG-タイトル"),
                              QT_TRANSLATE_NOOP("Torvane", "TAG-アーティスト"),
                              QT_TRANSLATE_NOOP("Torvane", "TAG-アルバム"),
                              QT_TRANSLATE_NOOP("Torvane", "TAG-コメント")})),
      m_Text(new QLineEdit), m_Exclude(NewChoiceList({QT_TRANSLATE_NOOP("Torvane", "含む"),
                                                      QT_TRANSLATE_NOOP("Torvane", "含まない")})),
      m_Existence(NewChoiceList({QT_TRANSLATE_NOOP("Torvane", "すべての"),
                                 QT_TRANSLATE_NOOP("Torvane", "存在する"),
                                 QT_TRANSLATE_NOOP("Torvane", "存在しない")})),
      m_UseExtension(new QCheckBox(tr("拡張子 ："))), m_Extension(NewExtensionBox(iconMap)),
      m_UseSize(new QCheckBox(tr("ファイルサイズ ："))), m_Size(NewNumberField(90)),
      m_SizeAtMost(NewBoundList()), m_UseTime(new QCheckBox(tr("演奏時間 ："))),
      m_Minutes(NewNumberField(36)), m_Seconds(NewNumberField(36)), m_TimeAtMost(NewBoundList()),
      m_UseBitRate(new QCheckBox(tr("ビットレート ："))),
      m_BitRate(NewRateBox({"0", "24", "56", "64", "96", "128", "160", "192", "256", "320"})),
      m_BitRateAtMost(NewBoundList()),
      m_UseSamplingRate(new QCheckBox(tr("サンプリングレート ："))),
      m_SamplingRate(NewRateBox({"8000", "12000", "16000", "24000", "32000", "44100", "48000"})),
      m_SamplingRateAtMost(NewBoundList()),
      m_Source(NewChoiceList(
          {QT_TRANSLATE_NOOP("Torvane", "全リスト"), QT_TRANSLATE_NOOP("Torvane", "検索リスト")})) {
    setWindowTitle(tr("拡張検索"));
    m_Text->setMinimumWidth(260);
    NameControl(m_Existence, tr("ファイルの存在"));
    NameControl(m_Extension, tr("拡張子"));
    NameControl(m_Size, tr("ファイルサイズ (KB)"));
    NameControl(m_SizeAtMost, tr("ファイルサイズの条件"));
    NameControl(m_Minutes, tr("演奏時間 (分)"));
    NameControl(m_Seconds, tr("演奏時間 (秒)"));
    NameControl(m_TimeAtMost, tr("演奏時間の条件"));
    NameControl(m_BitRate, tr("ビットレート (kbit)"));
    NameControl(m_BitRateAtMost, tr("ビットレートの条件"));
    NameControl(m_SamplingRate, tr("サンプリングレート (Hz)"));
    NameControl(m_SamplingRateAtMost, tr("サンプリングレートの条件"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(NewFieldLabel(tr("検索範囲 ："), m_Target), 0, 0);
    layout->addWidget(m_Target, 0, 1, Qt::AlignLeft);
    layout->addWidget(NewFieldLabel(tr("検索文字列 ："), m_Text), 1, 0);
    layout->addWidget(m_Text, 1, 1);
    layout->addWidget(NewFieldLabel(tr("条件 ："), m_Exclude), 2, 0);
    auto* condition = new QHBoxLayout;
    condition->addWidget(new QLabel(tr("文字列を")));
    condition->addWidget(m_Exclude);
    condition->addWidget(m_Existence);
    condition->addWidget(new QLabel(tr("ファイル")));
    condition->addStretch();
    layout->addLayout(condition, 2, 1);
    layout->addWidget(NewConditionGroup(), 3, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(NewFieldLabel(tr("検索元："), m_Source));
    bottom->addWidget(m_Source);
    bottom->addStretch();
    auto* search = new QPushButton(tr("検索"));
    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"));
    search->setDefault(true);
    bottom->addWidget(search);
    bottom->addWidget(cancel);
    layout->addLayout(bottom, 4, 0, 1, 2);

    connect(search, &QPushButton::clicked, this, &CExtSearchDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QCheckBox* box : {m_UseExtension, m_UseSize, m_UseTime, m_UseBitRate, m_UseSamplingRate})
        connect(box, &QCheckBox::clicked, this, [this] {
            TakeValues();
            UpdateEnabling();
        });
    UpdateEnabling();
}

// One row per condition: its box, its value controls and its bound.
QWidget* CExtSearchDialog::NewConditionGroup() {
    auto* group = new QGroupBox(tr("拡張条件指定"));
    auto* grid = new QGridLayout(group);
    const auto row = [grid](int at, QCheckBox* box, std::initializer_list<QWidget*> controls) {
        grid->addWidget(box, at, 0);
        auto* line = new QHBoxLayout;
        for (QWidget* control : controls)
            line->addWidget(control);
        line->addStretch();
        grid->addLayout(line, at, 1);
    };
    row(0, m_UseExtension, {m_Extension});
    row(1, m_UseSize, {m_Size, new QLabel(QStringLiteral("KB")), m_SizeAtMost});
    row(2, m_UseTime,
        {m_Minutes, new QLabel(tr("分")), m_Seconds, new QLabel(tr("秒")), m_TimeAtMost});
    row(3, m_UseBitRate,
        {m_BitRate, new QLabel(QStringLiteral("kbit")), m_BitRateAtMost,
         new QLabel(tr("0以下でVBRのみ"))});
    row(4, m_UseSamplingRate,
        {m_SamplingRate, new QLabel(QStringLiteral("Hz")), m_SamplingRateAtMost});
    return group;
}

void CExtSearchDialog::UpdateEnabling() {
    const auto follow = [](const QCheckBox* box, std::initializer_list<QWidget*> controls) {
        for (QWidget* control : controls)
            control->setEnabled(box->isChecked());
    };
    follow(m_UseExtension, {m_Extension});
    follow(m_UseSize, {m_Size, m_SizeAtMost});
    follow(m_UseTime, {m_Minutes, m_Seconds, m_TimeAtMost});
    follow(m_UseBitRate, {m_BitRate, m_BitRateAtMost});
    follow(m_UseSamplingRate, {m_SamplingRate, m_SamplingRateAtMost});
}

bool CExtSearchDialog::TakeValues() {
    const auto size = ReadInteger(m_Host, *m_Size, 0);
    if (!size)
        return false;
    const auto minutes = ReadInteger(m_Host, *m_Minutes, 0, 59);
    if (!minutes)
        return false;
    const auto seconds = ReadInteger(m_Host, *m_Seconds, 0, 59);
    if (!seconds)
        return false;
    const auto bitRate = ReadInteger(m_Host, *m_BitRate->lineEdit());
    if (!bitRate)
        return false;
    const auto samplingRate = ReadInteger(m_Host, *m_SamplingRate->lineEdit());
    if (!samplingRate)
        return false;

    m_Request = SearchRequest{};
    m_Request.source =
        m_Source->currentIndex() == 1 ? SearchSource::SearchList : SearchSource::AllList;
    SplitSearchTerms(m_Request, m_Text->text().toStdString());
    m_Request.target = ChoiceOf<SearchTarget>(*m_Target);
    m_Request.exclude = ChoiceOf<TermCondition>(*m_Exclude);
    m_Request.existence = ChoiceOf<FileExistence>(*m_Existence);
    m_Request.useExtension = m_UseExtension->isChecked();
    m_Request.extension = ExtensionOf(*m_Extension);
    m_Request.useSize = m_UseSize->isChecked();
    m_Request.sizeKB = *size;
    m_Request.sizeAtMost = ChoiceOf<Bound>(*m_SizeAtMost);
    m_Request.useTime = m_UseTime->isChecked();
    m_Request.timeSec = *minutes * 60 + *seconds;
    m_Request.timeAtMost = ChoiceOf<Bound>(*m_TimeAtMost);
    m_Request.useBitRate = m_UseBitRate->isChecked();
    m_Request.bitRate = *bitRate;
    m_Request.bitRateAtMost = ChoiceOf<Bound>(*m_BitRateAtMost);
    m_Request.useSamplingRate = m_UseSamplingRate->isChecked();
    m_Request.samplingRate = *samplingRate;
    m_Request.samplingRateAtMost = ChoiceOf<Bound>(*m_SamplingRateAtMost);
    return true;
}

void CExtSearchDialog::accept() {
    if (TakeValues())
        QDialog::accept();
}

} // namespace torvane
