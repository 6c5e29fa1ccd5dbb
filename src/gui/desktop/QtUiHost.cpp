#include "gui/desktop/QtUiHost.h"

#include "gui/i18n/InterfaceLanguage.h"
#include "gui/i18n/Translate.h"
#include "gui/widgets/ProgressWindow.h"

#include "texts/MessageTexts.h"

#include <QApplication>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>

#include <iostream>

namespace torvane {

namespace {

// The kind of a message shows in its icon: failures, questions (two answers), refusals, and
// anything else (the "確認" notes, the duplicate count) only informs.
QMessageBox::Icon IconFor(MessageKind kind, MessageButtons buttons) {
    if (kind == MessageKind::Error)
        return QMessageBox::Critical;
    if (buttons != MessageButtons::Ok)
        return QMessageBox::Question;
    if (kind == MessageKind::Refusal)
        return QMessageBox::Warning;
    return QMessageBox::Information;
}

} // namespace

MessageAnswer CQtUiHost::ShowMessage(MessageKind kind, const CMessage& message,
                                     MessageButtons buttons) {
    // The program is ending without the user: a message box would hold that up.
    if (m_Abandoned) {
        std::cerr << "torvane: " << CaptionSource(kind) << ": " << JapaneseText(message) << "\n";
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    QMessageBox box(m_MainWindow);
    box.setWindowTitle(CaptionText(kind));
    box.setText(MessageText(message));
    box.setIcon(IconFor(kind, buttons));
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(Tr(QT_TRANSLATE_NOOP("Torvane", "ｷｬﾝｾﾙ")));
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(Tr(QT_TRANSLATE_NOOP("Torvane", "はい(&Y)")));
        box.button(QMessageBox::No)->setText(Tr(QT_TRANSLATE_NOOP("Torvane", "いいえ(&N)")));
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
    if (m_Abandoned)
        window->Cancel();
    return window;
}

// Progress windows are top-level windows of their own, so they are all found among those.
void CQtUiHost::AbandonOperations() {
    m_Abandoned = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<CProgressWindow*>(window)) {
            progress->Cancel();
            progress->Close();
        }
    }
}

} // namespace torvane
