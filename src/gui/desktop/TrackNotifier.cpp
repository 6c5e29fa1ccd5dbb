#include "gui/desktop/TrackNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace torvane {

CTrackNotifier::CTrackNotifier(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_Bus(std::move(bus)) {}

void CTrackNotifier::Notify(const std::string& title, const std::string& body) {
    if (!m_Bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(Service), QString::fromLatin1(Path),
                                       QString::fromLatin1(Service), QStringLiteral("Notify"));
    call << QStringLiteral("Torvane") << m_LastId << QStringLiteral("torvane")
         << QString::fromStdString(title) << QString::fromStdString(body) << QStringList()
         << QVariantMap() << -1;
    // Nothing waits for the answer; an absent service answers with an error, which is dropped.
    auto* watcher = new QDBusPendingCallWatcher(m_Bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid())
                    m_LastId = reply.value();
                finished->deleteLater();
            });
}

} // namespace torvane
