#pragma once

#include <QDBusConnection>
#include <QObject>

#include <string>

namespace torvane {

// Tells the desktop which track has started, through org.freedesktop.Notifications on the
// session bus; each notice replaces the one before. Without a bus or a notification service
// nothing is shown and nothing is reported.
class CTrackNotifier final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Service = "org.freedesktop.Notifications";
    static constexpr const char* Path = "/org/freedesktop/Notifications";
    // The profile's switch, section "app": 1 shows a notice when a track starts (default 0).
    static constexpr const char* SettingKey = "Notify";

    explicit CTrackNotifier(QDBusConnection bus, QObject* parent = nullptr);

    // title and body are display texts (UTF-8).
    void Notify(const std::string& title, const std::string& body);

private:
    QDBusConnection m_Bus;
    uint m_LastId = 0;
};

} // namespace torvane
