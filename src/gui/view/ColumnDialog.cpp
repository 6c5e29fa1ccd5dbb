#include "gui/view/ColumnDialog.h"

#include "gui/widgets/AccessibleNames.h"

#include "core/doc/UiHost.h"
#include "gui/i18n/Translate.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace torvane {

QString ColumnEntryText(int key) {
    static constexpr std::array<const char*, ColumnCount> texts{
        QT_TRANSLATE_NOOP("Torvane", "ファイルパス"),
        QT_TRANSLATE_NOOP("Torvane", "ファイル名"),
        QT_TRANSLATE_NOOP("Torvane", "拡張子"),
        QT_TRANSLATE_NOOP("Torvane", "ファイルサイズ"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-タイトル"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-アーティスト"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-アルバム"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-コメント"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-トラック番号"),
        QT_TRANSLATE_NOOP("Torvane", "演奏時間"),
        QT_TRANSLATE_NOOP("Torvane", "ビットレート"),
        QT_TRANSLATE_NOOP("Torvane", "サンプリングレート"),
        QT_TRANSLATE_NOOP("Torvane", "ファイルタイプ"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-ジャンル"),
        QT_TRANSLATE_NOOP("Torvane", "TAG-年")};
    return key >= 0 && key < ColumnCount ? Tr(texts[static_cast<size_t>(key)]) : QString();
}

CColumnDialog::CColumnDialog(const std::vector<int>& shownKeys, CUiHost& host, QWidget* parent)
    : QDialog(parent), m_Host(host), m_List(new QListWidget), m_Up(new QPushButton(tr("↑"))),
      m_Down(new QPushButton(tr("↓"))) {
    NameControl(m_List, tr("カラム"));
    NameControl(m_Up, tr("上へ"));
    NameControl(m_Down, tr("下へ"));
    m_Order.fill(Unticked);
    setWindowTitle(tr("カラムの表示/非表示設定"));
    QFont font = m_List->font();
    font.setPixelSize(13);
    m_List->setFont(font);
    m_List->setSelectionMode(QAbstractItemView::SingleSelection);

    std::vector<int> keys;
    for (const int key : shownKeys)
        if (key >= 0 && key < ColumnCount && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    const size_t shown = keys.size();
    for (int key = 0; key < ColumnCount; ++key)
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    for (size_t i = 0; i < keys.size(); ++i) {
        auto* item = new QListWidgetItem(ColumnEntryText(keys[i]), m_List);
        item->setData(Qt::UserRole, keys[i]);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i < shown ? Qt::Checked : Qt::Unchecked);
    }
    const int rowHeight = m_List->sizeHintForRow(0);
    m_List->setMinimumSize(m_List->sizeHintForColumn(0) + 40,
                           rowHeight * ColumnCount + 2 * m_List->frameWidth());
    m_Up->setFixedWidth(m_Up->fontMetrics().height() * 2);
    m_Down->setFixedWidth(m_Down->fontMetrics().height() * 2);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_List, 0, 0, 2, 1);
    layout->addWidget(m_Up, 0, 1, Qt::AlignVCenter);
    layout->addWidget(m_Down, 1, 1, Qt::AlignVCenter);
    layout->addWidget(buttons, 2, 0, 1, 2);

    connect(m_Up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_Down, &QPushButton::clicked, this, [this] { Move(+1); });
    connect(m_List, &QListWidget::itemChanged, this, &CColumnDialog::KeepOneTicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &CColumnDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CColumnDialog::Move(int by) {
    QListWidgetItem* item = m_List->currentItem();
    const int row = item && item->isSelected() ? m_List->row(item) : -1;
    const int target = row + by;
    if (row < 0 || target < 0 || target >= m_List->count()) {
        m_Host.Beep();
        return;
    }
    m_List->insertItem(target, m_List->takeItem(row));
    m_List->setCurrentRow(target);
}

// The entry just unticked is ticked again when it was the last one.
void CColumnDialog::KeepOneTicked(QListWidgetItem* changed) {
    for (int row = 0; row < m_List->count(); ++row)
        if (m_List->item(row)->checkState() == Qt::Checked)
            return;
    m_Host.Beep();
    changed->setCheckState(Qt::Checked);
}

void CColumnDialog::accept() {
    m_Order.fill(Unticked);
    for (int row = 0; row < m_List->count(); ++row) {
        const QListWidgetItem* item = m_List->item(row);
        if (item->checkState() == Qt::Checked)
            m_Order[static_cast<size_t>(row)] = item->data(Qt::UserRole).toInt();
    }
    QDialog::accept();
}

} // namespace torvane
