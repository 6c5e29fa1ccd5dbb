#pragma once

#include "core/doc/DesktopPort.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

namespace torvane {

// The desktop side of the file operations, on the paths' bytes: programs started without a
// shell, the default application through the desktop services with a percent-encoded file URL,
// the freedesktop trash (done in core: Qt's cannot carry a name that is not UTF-8), the
// clipboard, and
// folders and properties through the file manager's D-Bus service when one is offered, with
// the desktop services and our own properties window as fallbacks.
class CQtDesktop final : public QObject, public CDesktopPort {
    Q_OBJECT
public:
    static constexpr const char* FileManagerService = "org.freedesktop.FileManager1";
    static constexpr const char* FileManagerPath = "/org/freedesktop/FileManager1";

    // window owns the properties windows; it may be none.
    explicit CQtDesktop(QWidget* window, QObject* parent = nullptr);

    bool StartProgram(const std::string& program, const std::string& file) override;
    void OpenWithDefault(const std::string& path) override;
    bool MoveToTrash(const std::string& path, std::string& error) override;
    void ShowProperties(const CListData& record, const std::string& shownPath) override;
    void ShowFolder(const std::string& folder, const std::vector<std::string>& files) override;
    bool SetClipboardText(const std::string& text) override;

    // The file URL of the path's bytes, percent-encoded; its encoded form decodes back to them.
    static QUrl FileUrl(const std::string& path);

    // Whether a file manager on the session bus runs or can be started for us.
    static bool FileManagerOffered();

private:
    // Calls a method of the file manager with file URIs, running fallback when the call cannot
    // be made or fails; nothing waits for the answer.
    void CallFileManager(const QString& method, const QStringList& uris,
                         std::function<void()> fallback);

    QWidget* m_Window;
};

} // namespace torvane
