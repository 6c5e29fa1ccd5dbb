#include "gui/dialogs/ExtensionDialog.h"

#include "gui/widgets/AccessibleNames.h"

#include "core/base/Paths.h"
#include "core/doc/UiHost.h"
#include "gui/i18n/Translate.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace torvane {

namespace {

enum Column { ExtColumn, AppColumn };

QString AskForApplication(QWidget* parent) {
    QFileDialog dialog(parent, Tr(QT_TRANSLATE_NOOP("Torvane", "開くアプリケーション")));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("All Files (*)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QLineEdit* MarginedEdit() {
    auto* edit = new QLineEdit;
    edit->setTextMargins(2, 0, 2, 0);
    return edit;
}

} // namespace

bool IsProtectedExtension(const QString& ext) {
    for (const char* name : {"mp3", "wma", "ogg"})
        if (ext.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

CExtensionDialog::CExtensionDialog(const CExtRegistry& registry, CUiHost& host, QWidget* parent)
    : QDialog(parent), ChooseApplication(AskForApplication), m_Host(host), m_List(new QTreeWidget),
      m_Extension(MarginedEdit()), m_Application(MarginedEdit()),
      m_Browse(new QPushButton(tr("参照"))), m_Enabled(new QCheckBox(tr("有効"))),
      m_Register(new QPushButton(tr("登録"))), m_Delete(new QPushButton(tr("削除"))),
      m_Close(new QPushButton(tr("閉じる"))) {
    setWindowTitle(tr("拡張子設定"));

    // One visible column; the application path rides along in a hidden one.
    m_List->setColumnCount(2);
    m_List->setHeaderHidden(true);
    m_List->setColumnHidden(AppColumn, true);
    m_List->setRootIsDecorated(false);
    m_List->setSelectionMode(QAbstractItemView::SingleSelection);
    m_List->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_List->setSortingEnabled(true);
    m_List->sortByColumn(ExtColumn, Qt::AscendingOrder);
    m_List->setMinimumWidth(140);
    for (const auto& [ext, entry] : registry.Entries())
        if (entry.Enabled != ExtEntry::Removed)
            AddRow(QString::fromStdString(entry.Ext), QString::fromStdString(entry.App),
                   entry.Enabled >= ExtEntry::On);

    // A comma would cut the registry's stored "ext,state,app" line in the wrong place at the
    // next start, and a dot, a separator or a blank can never match a file's extension.
    m_Extension->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^,./\\s]*")), this));
    m_Application->setMinimumWidth(260);
    // Shows the selected row's state; the row's own check box is what changes it.
    m_Enabled->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_Enabled->setFocusPolicy(Qt::NoFocus);
    m_Delete->setEnabled(false);
    m_Close->setDefault(true);
    NameControl(m_List, tr("拡張子の一覧"));
    m_Extension->installEventFilter(this);

    auto* fields = new QGridLayout;
    fields->addWidget(NewFieldLabel(tr("拡張子"), m_Extension), 0, 0);
    fields->addWidget(m_Extension, 1, 0, 1, 2);
    fields->addWidget(NewFieldLabel(tr("開くアプリケーション"), m_Application), 2, 0);
    fields->addWidget(m_Application, 3, 0);
    fields->addWidget(m_Browse, 3, 1);
    fields->addWidget(m_Enabled, 4, 0);
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addStretch();
    rowButtons->addWidget(m_Register);
    rowButtons->addWidget(m_Delete);
    fields->addLayout(rowButtons, 5, 0, 1, 2);
    fields->setRowStretch(6, 1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(m_Close);
    fields->addLayout(closeRow, 7, 0, 1, 2);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_List);
    layout->addLayout(fields, 1);

    connect(m_List, &QTreeWidget::itemSelectionChanged, this, &CExtensionDialog::ShowSelectedRow);
    connect(m_List, &QTreeWidget::itemChanged, this, &CExtensionDialog::ShowSelectedRow);
    connect(m_Extension, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = m_Extension->cursorPosition();
        m_Extension->setText(text.toLower());
        m_Extension->setCursorPosition(cursor);
    });
    connect(m_Browse, &QPushButton::clicked, this, &CExtensionDialog::Browse);
    connect(m_Register, &QPushButton::clicked, this, &CExtensionDialog::Register);
    connect(m_Delete, &QPushButton::clicked, this, &CExtensionDialog::DeleteRow);
    connect(m_Close, &QPushButton::clicked, this, &QDialog::accept);
}

bool CExtensionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_Extension && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Register();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<ExtDialogRow> CExtensionDialog::Rows() const {
    std::vector<ExtDialogRow> rows;
    for (int i = 0; i < m_List->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_List->topLevelItem(i);
        rows.push_back({item->text(ExtColumn).toStdString(), item->text(AppColumn).toStdString(),
                        item->checkState(ExtColumn) == Qt::Checked ? 1 : 0});
    }
    return rows;
}

void CExtensionDialog::AddRow(const QString& ext, const QString& app, bool checked) {
    auto* item = new QTreeWidgetItem({ext, app});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ExtColumn, checked ? Qt::Checked : Qt::Unchecked);
    m_List->addTopLevelItem(item);
}

QTreeWidgetItem* CExtensionDialog::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_List->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

QTreeWidgetItem* CExtensionDialog::FindRow(const QString& ext) const {
    for (int i = 0; i < m_List->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_List->topLevelItem(i);
        if (item->text(ExtColumn).compare(ext, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

// Also runs when a row's check box is clicked.
void CExtensionDialog::ShowSelectedRow() {
    const QTreeWidgetItem* row = SelectedRow();
    if (!row) {
        m_Extension->clear();
        m_Application->clear();
        m_Extension->setEnabled(true);
        return;
    }
    m_Extension->setText(row->text(ExtColumn));
    m_Application->setText(row->text(AppColumn));
    SelectApplicationText();
    m_Enabled->setChecked(row->checkState(ExtColumn) == Qt::Checked);
    const bool editable = !IsProtectedExtension(row->text(ExtColumn));
    m_Extension->setEnabled(editable);
    m_Delete->setEnabled(editable);
}

// The whole path, selected from its end back to its start.
void CExtensionDialog::SelectApplicationText() {
    const int length = static_cast<int>(m_Application->text().size());
    m_Application->setSelection(length, -length);
}

void CExtensionDialog::Browse() {
    const QString path = ChooseApplication(this);
    if (path.isEmpty())
        return;
    m_Application->setText(path);
    SelectApplicationText();
}

void CExtensionDialog::Register() {
    const QString ext = m_Extension->text();
    const QString app = m_Application->text();
    if (ext.isEmpty()) {
        m_Host.ShowMessage(MessageKind::Refusal, MessageId::NoExtension, MessageButtons::Ok);
        m_Extension->setFocus();
        return;
    }
    if (!app.isEmpty() && KindOf(app.toStdString()) != PathKind::File) {
        m_Host.ShowMessage(MessageKind::Refusal, MessageId::InvalidApplicationPath,
                           MessageButtons::Ok);
        m_Application->setFocus();
        return;
    }
    {
        // Changing rows here is no selection change: the edits keep what was typed.
        const QSignalBlocker quiet(m_List);
        if (QTreeWidgetItem* row = FindRow(ext)) {
            row->setText(ExtColumn, ext);
            row->setText(AppColumn, app);
        } else {
            AddRow(ext, app, true);
        }
    }
    m_Extension->setText(ext);
    m_Application->setText(app);
    SelectApplicationText();
}

// Without asking; the edits empty as no row is selected any more.
void CExtensionDialog::DeleteRow() {
    if (QTreeWidgetItem* row = SelectedRow()) {
        delete row;
        m_List->clearSelection();
        ShowSelectedRow();
    }
}

} // namespace torvane
