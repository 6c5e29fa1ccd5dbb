#include "QtDesktop.h"

#include "dialogs/PropertiesDialog.h"

#include "core/doc/AtomicFile.h"
#include "core/media/ListData.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace torvane {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString FileUri(const std::string& path) {
    return QUrl::fromLocalFile(FromUtf8(path)).toString();
}

void ShowPropertiesWindow(QWidget* owner, const QString& path, const StreamFacts& facts) {
    auto* dialog = new CPropertiesDialog(path, facts, owner);
    dialog->show();
    dialog->raise();
}

// Qt writes the original path into the .trashinfo as it is, while file managers read it
// percent-encoded (a "%41" in a name would come back as "A", a line break would cut the entry).
// Encodes the value when it is still the plain path, absolute or relative to the volume's top.
void EncodeTrashInfoPath(const QString& trashedFile, const QString& original) {
    const QFileInfo trashed(trashedFile);
    QDir trash = trashed.dir();
    trash.cdUp();
    const QString infoPath =
        trash.filePath(QStringLiteral("info/%1.trashinfo").arg(trashed.fileName()));
    QFile file(infoPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QByteArray plain = QFile::encodeName(original);
    for (QByteArray& line : lines) {
        if (!line.startsWith("Path="))
            continue;
        const QByteArray value = line.mid(5);
        if (value != plain && !plain.endsWith("/" + value))
            return;
        const QByteArray encoded = QUrl::toPercentEncoding(QFile::decodeName(value), "/");
        if (encoded == value)
            return;
        line = "Path=" + encoded;
        std::string error;
        WriteFileAtomically(infoPath.toStdString(), lines.join('\n').toStdString(), error);
        return;
    }
}

// The trash lives under $XDG_DATA_HOME (by default ~/.local/share); makes sure that folder
// exists and is absolute before anything is moved, so nothing lands in the current folder.
bool PrepareTrashHome(std::string& error) {
    const QByteArray configured = qgetenv("XDG_DATA_HOME");
    const QString dataHome = configured.isEmpty()
                                 ? QDir::homePath() + QStringLiteral("/.local/share")
                                 : QFile::decodeName(configured);
    if (!QDir::isAbsolutePath(dataHome)) {
        error = "XDG_DATA_HOME is not an absolute path: " + dataHome.toStdString();
        return false;
    }
    if (!QDir().mkpath(dataHome)) {
        error = "cannot create " + dataHome.toStdString();
        return false;
    }
    return true;
}

} // namespace

CQtDesktop::CQtDesktop(QWidget* window, QObject* parent) : QObject(parent), m_Window(window) {}

bool CQtDesktop::StartProgram(const std::string& program, const std::string& file) {
    return QProcess::startDetached(FromUtf8(program), {FromUtf8(file)});
}

void CQtDesktop::OpenWithDefault(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(FromUtf8(path)));
}

bool CQtDesktop::MoveToTrash(const std::string& path, std::string& error) {
    if (!PrepareTrashHome(error))
        return false;
    QFile file(FromUtf8(path));
    if (!file.moveToTrash()) {
        error = file.errorString().toStdString();
        return false;
    }
    // The trash is always an absolute folder; a file put anywhere else goes back.
    if (!QDir::isAbsolutePath(file.fileName())) {
        QFile::rename(file.fileName(), FromUtf8(path));
        error = "no usable trash folder";
        return false;
    }
    EncodeTrashInfoPath(file.fileName(), QFileInfo(FromUtf8(path)).absoluteFilePath());
    return true;
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

void CQtDesktop::ShowProperties(const CListData& record) {
    const QString path = FromUtf8(record.FilePath());
    CallFileManager(QStringLiteral("ShowItemProperties"), {FileUri(record.FilePath())},
                    [owner = m_Window, path, facts = StreamFacts::Of(record)] {
                        ShowPropertiesWindow(owner, path, facts);
                    });
}

void CQtDesktop::ShowFolder(const std::string& folder, const std::vector<std::string>& files) {
    QStringList uris;
    for (const std::string& file : files)
        uris << FileUri(file);
    const QUrl folderUrl = QUrl::fromLocalFile(FromUtf8(folder));
    CallFileManager(QStringLiteral("ShowItems"), uris,
                    [folderUrl] { QDesktopServices::openUrl(folderUrl); });
}

bool CQtDesktop::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString value = FromUtf8(text);
    clipboard->setText(value);
    // A clipboard that could not be taken over does not give the text back.
    return clipboard->text() == value;
}

} // namespace torvane
