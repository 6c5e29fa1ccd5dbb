#include "gui/desktop/QtDesktop.h"

#include "gui/dialogs/PropertiesDialog.h"

#include "core/base/DetachedStart.h"
#include "core/base/FileUri.h"
#include "core/base/Paths.h"
#include "core/base/Trash.h"
#include "core/record/ListData.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace torvane {
namespace {

// A file URL made from the path's bytes, percent-encoded: a name that is not UTF-8 keeps its
// bytes (QUrl::fromLocalFile would take it through a QString and lose them).
QByteArray EncodedFileUrl(const std::string& path) {
    return QByteArray::fromStdString("file://" + PercentEncodePath(MakeAbsolute(path)));
}

QString FileUri(const std::string& path) {
    return QString::fromLatin1(EncodedFileUrl(path));
}

void ShowPropertiesWindow(QWidget* owner, const std::string& path, const QString& shownPath,
                          const StreamFacts& facts) {
    auto* dialog = new CPropertiesDialog(path, shownPath, facts, owner);
    dialog->show();
    dialog->raise();
}

} // namespace

QUrl CQtDesktop::FileUrl(const std::string& path) {
    return QUrl::fromEncoded(EncodedFileUrl(path), QUrl::StrictMode);
}

CQtDesktop::CQtDesktop(QWidget* window, QObject* parent) : QObject(parent), m_Window(window) {}

bool CQtDesktop::StartProgram(const std::string& program, const std::string& file) {
    std::string error;
    return StartDetached(program, {file}, error);
}

void CQtDesktop::OpenWithDefault(const std::string& path) {
    QDesktopServices::openUrl(FileUrl(path));
}

bool CQtDesktop::MoveToTrash(const std::string& path, std::string& error) {
    return torvane::MoveToTrash(path, error);
}

bool CQtDesktop::FileManagerOffered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QString service = QString::fromLatin1(FileManagerService);
    return bus.interface()->isServiceRegistered(service).value() ||
           bus.interface()->activatableServiceNames().value().contains(service);
}

void CQtDesktop::CallFileManager(const QString& method, const QStringList& uris,
                                 std::function<void()> fallback) {
    if (!FileManagerOffered()) {
        fallback();
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(FileManagerService), QString::fromLatin1(FileManagerPath),
        QString::fromLatin1(FileManagerService), method);
    message << uris << QString();
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [fallback = std::move(fallback)](QDBusPendingCallWatcher* call) {
                if (call->isError())
                    fallback();
                call->deleteLater();
            });
}

void CQtDesktop::ShowProperties(const CListData& record, const std::string& shownPath) {
    CallFileManager(
        QStringLiteral("ShowItemProperties"), {FileUri(record.FilePath())},
        [owner = m_Window, path = record.FilePath(), shown = QString::fromStdString(shownPath),
         facts = StreamFacts::Of(record)] { ShowPropertiesWindow(owner, path, shown, facts); });
}

void CQtDesktop::ShowFolder(const std::string& folder, const std::vector<std::string>& files) {
    QStringList uris;
    for (const std::string& file : files)
        uris << FileUri(file);
    const QUrl folderUrl = FileUrl(folder);
    CallFileManager(QStringLiteral("ShowItems"), uris,
                    [folderUrl] { QDesktopServices::openUrl(folderUrl); });
}

bool CQtDesktop::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString value = QString::fromStdString(text);
    clipboard->setText(value);
    // A clipboard that could not be taken over does not give the text back.
    return clipboard->text() == value;
}

} // namespace torvane
