#include "gui/dialogs/FolderSaveDialog.h"

#include "gui/widgets/AccessibleNames.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <climits>

namespace torvane {

namespace {

QString AskForIndexFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilters({QStringLiteral("TextFiles (*.txt)"), QStringLiteral("All Files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

CFolderSaveDialog::CFolderSaveDialog(const FolderGroups& groups, QWidget* parent)
    : QDialog(parent), ChooseIndexFile(AskForIndexFile), m_List(new QTreeWidget),
      m_SelectAll(new QPushButton(tr("すべて選択"))), m_Deselect(new QPushButton(tr("選択解除"))),
      m_FullPaths(new QCheckBox(tr("フルパスで出力"))),
      m_MakeIndex(new QCheckBox(tr("m3uファイルのリストを作成"))), m_Index(new QLineEdit),
      m_Browse(new QPushButton(tr("参照"))), m_Ok(new QPushButton(tr("OK"))) {
    setWindowTitle(tr("確認"));

    m_List->setHeaderLabels({QStringLiteral("FileName")});
    m_List->setRootIsDecorated(false);
    m_List->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_List->setColumnWidth(0, 390);
    m_List->setMinimumWidth(420);
    for (const FolderGroup& group : groups.Groups) {
        auto* item = new QTreeWidgetItem({QString::fromStdString(group.FileName)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        m_List->addTopLevelItem(item);
    }

    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"));
    m_Ok->setDefault(true);
    EnableIndex(false);

    auto* layout = new QGridLayout(this);
    NameControl(m_List, tr("書き出すファイル"));
    const int files = static_cast<int>(std::min<size_t>(groups.Groups.size(), INT_MAX));
    layout->addWidget(NewFieldLabel(tr("次のファイルに書き出します。", nullptr, files), m_List), 0,
                      0, 1, 4);
    layout->addWidget(m_List, 1, 0, 1, 4);
    auto* tickButtons = new QHBoxLayout;
    tickButtons->addWidget(m_SelectAll);
    tickButtons->addWidget(m_Deselect);
    tickButtons->addStretch();
    layout->addLayout(tickButtons, 2, 0, 1, 4);
    layout->addWidget(m_FullPaths, 3, 0, 1, 4);
    layout->addWidget(m_MakeIndex, 4, 0, 1, 4);
    layout->addWidget(NewFieldLabel(tr("保存先"), m_Index), 5, 0);
    layout->addWidget(m_Index, 5, 1, 1, 2);
    layout->addWidget(m_Browse, 5, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_Ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 6, 0, 1, 4);
    layout->setColumnStretch(1, 1);

    connect(m_SelectAll, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(m_Deselect, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(m_MakeIndex, &QCheckBox::toggled, this, &CFolderSaveDialog::EnableIndex);
    connect(m_Browse, &QPushButton::clicked, this, &CFolderSaveDialog::Browse);
    connect(m_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CFolderSaveDialog::StoreTicks(FolderGroups& groups) const {
    const int rows = m_List->topLevelItemCount();
    for (int i = 0; i < rows && static_cast<size_t>(i) < groups.Groups.size(); ++i)
        groups.Groups[static_cast<size_t>(i)].Ticked =
            m_List->topLevelItem(i)->checkState(0) == Qt::Checked;
}

FolderSaveOptions CFolderSaveDialog::Options() const {
    FolderSaveOptions options;
    options.FullPaths = m_FullPaths->isChecked();
    if (m_MakeIndex->isChecked())
        options.IndexPath = m_Index->text().toStdString();
    return options;
}

void CFolderSaveDialog::TickAll(bool ticked) {
    for (int i = 0; i < m_List->topLevelItemCount(); ++i)
        m_List->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void CFolderSaveDialog::EnableIndex(bool on) {
    m_Index->setEnabled(on);
    m_Browse->setEnabled(on);
}

void CFolderSaveDialog::Browse() {
    const QString path = ChooseIndexFile(this);
    if (!path.isEmpty())
        m_Index->setText(path);
}

} // namespace torvane
