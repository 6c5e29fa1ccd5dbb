#include "gui/desktop/SingleInstance.h"

#include "core/base/Paths.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>

namespace torvane {
namespace {

void RegisterTypes() {
    qDBusRegisterMetaType<QList<QByteArray>>();
}

// Long enough for a window busy with a short operation; a window that is frozen must not keep
// a start waiting for good.
constexpr int CallTimeout = 10000; // ms

} // namespace

CSingleInstance::CSingleInstance(QDBusConnection bus, const std::string& profile, Receiver receive,
                                 QObject* parent)
    : QObject(parent), m_Bus(std::move(bus)), m_Profile(MakeAbsolute(profile)),
      m_Receive(std::move(receive)) {
    RegisterTypes();
    if (!m_Bus.isConnected())
        return;
    m_Registered = m_Bus.registerObject(QString::fromLatin1(ObjectPath), this,
                                        QDBusConnection::ExportAllSlots);
    m_Holding = m_Registered && m_Bus.registerService(QString::fromLatin1(ServiceName));
}

CSingleInstance::~CSingleInstance() {
    if (m_Holding)
        m_Bus.unregisterService(QString::fromLatin1(ServiceName));
    if (m_Registered)
        m_Bus.unregisterObject(QString::fromLatin1(ObjectPath));
}

void CSingleInstance::Open(const QByteArray& profile, const QList<QByteArray>& inputs,
                           const QDBusMessage& message) {
    if (profile.toStdString() != m_Profile) {
        message.setDelayedReply(true);
        m_Bus.send(
            message.createErrorReply(QStringLiteral("org.torvane.Torvane.Error.OtherProfile"),
                                     QStringLiteral("This window uses another profile.")));
        return;
    }
    // Only absolute paths: a relative one would be read against this window's folder.
    std::vector<std::string> paths;
    for (const QByteArray& input : inputs)
        if (input.startsWith('/') && !input.contains('\0'))
            paths.push_back(input.toStdString());
    if (m_Receive)
        m_Receive(std::move(paths));
}

bool ForwardToRunningWindow(const QDBusConnection& bus, const std::string& profile,
                            const std::vector<std::string>& inputs) {
    RegisterTypes();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QDBusReply<bool> owned =
        bus.interface()->isServiceRegistered(QString::fromLatin1(CSingleInstance::ServiceName));
    if (!owned.isValid() || !owned.value())
        return false;
    QList<QByteArray> paths;
    for (const std::string& input : inputs)
        paths.append(QByteArray::fromStdString(MakeAbsolute(input)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(CSingleInstance::ServiceName),
        QString::fromLatin1(CSingleInstance::ObjectPath),
        QString::fromLatin1(CSingleInstance::Interface), QStringLiteral("Open"));
    call << QByteArray::fromStdString(MakeAbsolute(profile)) << QVariant::fromValue(paths);
    const QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeout);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace torvane
