#include "gui/app/TorvaneApp.h"

#include "gui/app/DesktopBus.h"
#include "gui/app/MainFrame.h"
#include "gui/desktop/QtUiHost.h"
#include "gui/desktop/QuitSignals.h"
#include "gui/view/TorvaneView.h"

#include "core/commands/AutoSave.h"
#include "core/doc/TorvaneDoc.h"
#include "core/gather/Gathering.h"
#include "core/reading/TagCache.h"
#include "core/settings/ProfileLocation.h"

#include <QApplication>
#include <QBasicTimer>
#include <QDBusConnection>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <iostream>

namespace torvane {

namespace {

// Runs a step from the event loop once a window has been painted on the screen for the first
// time, or after WaitLimit when it never is (a window manager that keeps it unmapped). The step
// is queued, so it runs after that paint has reached the screen, not inside it.
class CAfterFirstPaint final : public QObject {
public:
    static constexpr int WaitLimit = 500; // ms

    CAfterFirstPaint(QWidget& window, std::function<void()> step)
        : m_Window(window), m_Step(std::move(step)) {
        m_Window.installEventFilter(this);
        m_Limit.start(WaitLimit, this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_Window && event->type() == QEvent::Paint && m_Window.windowHandle() &&
            m_Window.windowHandle()->isExposed())
            Queue();
        return false;
    }

    void timerEvent(QTimerEvent* event) override {
        if (event->timerId() == m_Limit.timerId())
            Queue();
    }

private:
    void Queue() {
        if (m_Queued)
            return;
        m_Queued = true;
        m_Limit.stop();
        m_Window.removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { m_Step(); });
    }

    QWidget& m_Window;
    std::function<void()> m_Step;
    QBasicTimer m_Limit;
    bool m_Queued = false;
};

} // namespace

CTorvaneApp::CTorvaneApp(std::string profilePath, std::unique_ptr<CQtUiHost> host)
    : m_Profile(std::move(profilePath)),
      m_Host(host ? std::move(host) : std::make_unique<CQtUiHost>()) {}

CTorvaneApp::~CTorvaneApp() {
    Shutdown();
}

bool CTorvaneApp::Start(const std::vector<std::string>& args) {
    m_Profile.Load();
    m_Language = std::make_unique<CInterfaceLanguage>(
        m_LanguageOverride.empty() ? CInterfaceLanguage::Stored(m_Profile) : m_LanguageOverride);
    m_Doc = std::make_unique<CTorvaneDoc>(m_Profile, *m_Host);
    if (m_UseTagCache)
        m_Doc->UseTagCache(std::make_unique<CTagCache>(TagCachePath(m_Profile.Path()),
                                                       m_Doc->Settings().TagCodePage));
    m_Frame = std::make_unique<CMainFrame>(*m_Doc, m_Profile, *m_Host);
    m_Host->SetMainWindow(m_Frame.get());
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_Frame.get(),
                     [this] { EndForSession(); });
    m_QuitSignals = std::make_unique<CQuitSignals>();
    QObject::connect(m_QuitSignals.get(), &CQuitSignals::Received, m_Frame.get(),
                     [this] { EndForSignal(); });
    m_FirstPaint = std::make_unique<CAfterFirstPaint>(*m_Frame, [this] { LoadLists(); });
    m_Frame->show();
    if (!m_Doc->SetView(&m_Frame->View()))
        return false;
    m_Args = args;
    m_ListsLoaded = false;
    // On the session bus only; without one the window runs as it is.
    m_Bus = std::make_unique<CDesktopBus>(
        QDBusConnection::sessionBus(), *m_Doc, *m_Frame, m_Profile,
        [this](std::vector<std::string> inputs) { ReceiveInputs(std::move(inputs)); });
    return true;
}

void CTorvaneApp::ReceiveInputs(std::vector<std::string> inputs) {
    if (m_SessionEnding || !m_Frame)
        return;
    m_Bus->Bridge().Raise();
    // Not into the arguments while they are being read: the reading holds on to them.
    if (!m_ListsLoaded && !m_LoadingLists) {
        m_Args.insert(m_Args.end(), inputs.begin(), inputs.end());
        return;
    }
    if (inputs.empty())
        return;
    m_Bus->Bridge().WhenAccepting([this, inputs = std::move(inputs)] {
        if (!m_SessionEnding)
            LoadCommandLine(*m_Doc, inputs);
    });
}

// The command line first; the kept list only into a list that is still empty.
void CTorvaneApp::LoadLists() {
    m_LoadingLists = true;
    if (!m_SessionEnding)
        LoadCommandLine(*m_Doc, m_Args);
    if (!m_SessionEnding)
        AutoLoadList(*m_Doc);
    m_Args.clear();
    m_LoadingLists = false;
    m_ListsLoaded = true;
}

// A logout or shutdown ends the program at once, without the exit question and without keeping
// the list: a running operation (the loading of the lists too) stops at its next question, with
// what it has read so far; Run then writes the settings as on every exit.
void CTorvaneApp::EndForSession() {
    m_SessionEnding = true;
    m_Host->AbandonOperations();
    m_Frame->EndForSession();
    QCoreApplication::quit();
}

void CTorvaneApp::EndForSignal() {
    if (m_SessionEnding)
        return;
    // A list still loading would be kept shortened: it stays as it is on disk.
    m_KeepListAtEnd = m_ListsLoaded;
    EndForSession();
}

int CTorvaneApp::Run() {
    // The session may have ended before the event loop ran, when quit could not reach it yet.
    const int status = m_SessionEnding ? 0 : QApplication::exec();
    Shutdown();
    return status;
}

void CTorvaneApp::Shutdown() {
    if (!m_Doc)
        return;
    m_FirstPaint.reset();
    m_QuitSignals.reset();
    m_Bus.reset();
    if (m_KeepListAtEnd) {
        m_KeepListAtEnd = false;
        AutoSaveList(*m_Doc, false);
    }
    if (m_Frame) {
        m_Frame->SaveSettings();
        m_Frame->View().SaveSettings();
        m_Host->SetMainWindow(nullptr);
        m_Frame.reset();
    }
    std::string error;
    if (!m_Doc->SaveTagCache(error))
        ReportExitWriteFailure(error);
    m_Doc.reset();
    if (!m_Profile.Save(&error))
        ReportExitWriteFailure(error);
}

void CTorvaneApp::ReportExitWriteFailure(const std::string& error) {
    std::cerr << "torvane: " << error << "\n";
    if (!m_SessionEnding)
        m_Host->ShowMessage(MessageKind::Error, MessageId::OpenFailed, MessageButtons::Ok);
}

} // namespace torvane
