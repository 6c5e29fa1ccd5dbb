#include "gui/dialogs/AddItemDialog.h"

#include "gui/widgets/AccessibleNames.h"

#include "core/base/DisplayPath.h"
#include "core/base/FileUri.h"
#include "core/base/TextCodec.h"

#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShowEvent>

namespace torvane {

QString OpenFilesFilter() {
    // Every type with a reader, beside the MP3 and WMA filters of old.
    return QStringLiteral(
        "Files (*.mp3 *.wma *.wav *.ogg *.flac *.opus *.m4a *.aif *.aiff *.m3u *.m3u8 *.pls "
        "*.xspf);;MP3 Files (*.mp3);;WMA Files (*.wma);;"
        "Audio Files (*.mp3 *.wma *.wav *.ogg *.flac *.opus *.m4a *.aif *.aiff);;"
        "List Files (*.m3u *.m3u8 *.pls *.xspf *.txt);;All Files (*)");
}

void MakeCurrentFolderOf(const QString& path) {
    QDir::setCurrent(QFileInfo(path).absolutePath());
}

CAddItemDialog::CAddItemDialog(QWidget* parent)
    : QDialog(parent), m_IgnoreExtension(new QCheckBox(tr("拡張子判別を無視"))),
      m_Path(new QLineEdit), m_Add(new QPushButton(tr("追加"))) {
    setWindowTitle(tr("アイテムの追加"));
    setAcceptDrops(true);
    auto* browse = new QPushButton(tr("参照"));
    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"));
    m_Add->setDefault(true);
    m_Add->setEnabled(false);
    m_Path->setMinimumWidth(320);
    NameControl(m_Path, tr("追加するファイルまたはフォルダ"));
    m_Path->installEventFilter(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_IgnoreExtension, 0, 0, 1, 2);
    layout->addWidget(m_Path, 1, 0);
    layout->addWidget(browse, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_Add);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    // What the user types first goes into the path.
    setTabOrder(m_Path, browse);
    setTabOrder(browse, m_IgnoreExtension);
    setTabOrder(m_IgnoreExtension, m_Add);
    setTabOrder(m_Add, cancel);

    connect(m_Path, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_Add->setEnabled(!text.isEmpty()); });
    connect(browse, &QPushButton::clicked, this, &CAddItemDialog::Browse);
    connect(m_Add, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CAddItemDialog::Path() const {
    return m_Path->text();
}

bool CAddItemDialog::IgnoreExtension() const {
    return m_IgnoreExtension->isChecked();
}

void CAddItemDialog::Browse() {
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), QString(), OpenFilesFilter());
    if (path.isEmpty())
        return;
    MakeCurrentFolderOf(path);
    m_Path->setText(QDir::toNativeSeparators(path));
}

void CAddItemDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

std::string CAddItemDialog::PathBytes() const {
    if (!m_Dropped.empty() && m_Path->text() == m_DroppedText)
        return m_Dropped;
    return m_Path->text().toStdString();
}

// The dropped path is kept as the bytes its URL encodes; the field only shows it.
bool CAddItemDialog::TakeDrop(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty())
        return false;
    std::optional<std::string> path = PathOfLocation(urls.front().toEncoded().toStdString(), {});
    if (!path)
        return false;
    m_Dropped = std::move(*path);
    m_DroppedText = QString::fromStdString(DisplayPath(m_Dropped, CTextCodec()));
    m_Path->setText(m_DroppedText);
    return true;
}

void CAddItemDialog::dropEvent(QDropEvent* event) {
    TakeDrop(*event->mimeData());
    event->acceptProposedAction();
}

// Dropped text that names no file stays the field's own business.
bool CAddItemDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_Path)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        TakeDrop(*drop->mimeData());
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

void CAddItemDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_Path->setFocus(Qt::OtherFocusReason);
}

// Shown again after a refused path, the dialog stays where it was rather than being placed
// anew over its parent (which a window manager's frame would shift each time).
void CAddItemDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        setAttribute(Qt::WA_Moved);
}

} // namespace torvane
