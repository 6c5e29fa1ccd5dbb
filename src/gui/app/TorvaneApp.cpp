#include "TorvaneApp.h"

#include "MainFrame.h"
#include "QtUiHost.h"
#include "view/TorvaneView.h"

#include "core/doc/AutoSave.h"
#include "core/doc/Gathering.h"
#include "core/doc/ProfileLocation.h"
#include "core/doc/TagCache.h"
#include "core/doc/TorvaneDoc.h"

#include <QApplication>

#include <iostream>

namespace torvane {

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
    // A logout or shutdown ends the program at once, without the exit question and without
    // keeping the list; Run then writes the settings as on every exit.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_Frame.get(), [this] {
        m_Frame->EndForSession();
        QCoreApplication::quit();
    });
    m_Frame->show();
    QCoreApplication::processEvents();
    if (!m_Doc->SetView(&m_Frame->View()))
        return false;
    LoadCommandLine(*m_Doc, args);
    AutoLoadList(*m_Doc);
    return true;
}

int CTorvaneApp::Run() {
    const int status = QApplication::exec();
    Shutdown();
    return status;
}

void CTorvaneApp::Shutdown() {
    if (!m_Doc)
        return;
    if (m_Frame) {
        m_Frame->SaveSettings();
        m_Frame->View().SaveSettings();
        m_Host->SetMainWindow(nullptr);
        m_Frame.reset();
    }
    m_Doc.reset();
    std::string error;
    if (!m_Profile.Save(&error))
        std::cerr << "torvane: " << m_Profile.Path() << ": " << error << "\n";
}

} // namespace torvane
