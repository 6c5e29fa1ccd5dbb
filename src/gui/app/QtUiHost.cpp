#include "QtUiHost.h"

#include "ProgressWindow.h"
#include "Translate.h"

#include <QApplication>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>

namespace torvane {

MessageAnswer CQtUiHost::ShowMessage(const std::string& text, const std::string& caption,
                                     MessageButtons buttons) {
    QMessageBox box(m_MainWindow);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (buttons) {
    case MessageButtons::Ok:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(Tr("キャンセル"));
        break;
    case MessageButtons::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(Tr("はい(&Y)"));
        box.button(QMessageBox::No)->setText(Tr("いいえ(&N)"));
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

void CQtUiHost::Beep() {
    QApplication::beep();
}

// Nested operations may ask for the wait cursor more than once; it goes when the last lets go.
void CQtUiHost::SetWaitCursor(bool on) {
    if (on) {
        if (m_WaitDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_WaitDepth > 0 && --m_WaitDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}

// The icon of the file type the extension names, from the desktop's icon theme.
bool CQtUiHost::LoadTypeIcon(const std::string& ext, int slot) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(
        QStringLiteral("file.") + QString::fromStdString(ext), QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return false;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        return false;
    m_Icons.Put(slot, icon);
    return true;
}

std::unique_ptr<CProgress> CQtUiHost::OpenProgress() {
    auto window = std::make_unique<CProgressWindow>(m_MainWindow);
    window->Open();
    return window;
}

} // namespace torvane
