#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace torvane {

// One window per profile: the first start takes the name org.torvane.Torvane on the session
// bus and offers at /org/torvane/Torvane the method org.torvane.Torvane.Window.Open(ay profile,
// aay inputs); a later start with the same profile hands its inputs over and ends. The inputs
// are absolute paths as bytes, resolved against the later start's working folder.
class CSingleInstance final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.torvane.Torvane.Window")
public:
    static constexpr const char* ServiceName = "org.torvane.Torvane";
    static constexpr const char* ObjectPath = "/org/torvane/Torvane";
    static constexpr const char* Interface = "org.torvane.Torvane.Window";

    using Receiver = std::function<void(std::vector<std::string> inputs)>;

    // Takes the name for the window of this profile; receive gets what a later start hands over.
    CSingleInstance(QDBusConnection bus, const std::string& profile, Receiver receive,
                    QObject* parent = nullptr);
    ~CSingleInstance() override;
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Whether this window holds the name.
    bool Holding() const { return m_Holding; }

public slots:
    // Refused (an error reply) for another profile: that start opens a window of its own.
    void Open(const QByteArray& profile, const QList<QByteArray>& inputs,
              const QDBusMessage& message);

private:
    QDBusConnection m_Bus;
    std::string m_Profile;
    Receiver m_Receive;
    bool m_Registered = false;
    bool m_Holding = false;
};

// Hands the inputs (made absolute here) to the window of this profile when one runs on the
// session bus and takes them; false when there is no bus, no such window, or the call fails,
// and this start goes on to open its own window.
bool ForwardToRunningWindow(const QDBusConnection& bus, const std::string& profile,
                            const std::vector<std::string>& inputs);

} // namespace torvane
