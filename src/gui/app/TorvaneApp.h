#pragma once

#include "InterfaceLanguage.h"
#include "QtUiHost.h"
#include "core/doc/Profile.h"

#include <memory>
#include <string>
#include <vector>

namespace torvane {

class CMainFrame;
class CTorvaneDoc;

// The program's run: where the settings live, and the order in which the document, the main
// window and the list come up and go down.
class CTorvaneApp {
public:
    // The host may be given (tests answer its questions); otherwise the desktop's own is used.
    explicit CTorvaneApp(std::string profilePath, std::unique_ptr<CQtUiHost> host = nullptr);
    ~CTorvaneApp();
    CTorvaneApp(const CTorvaneApp&) = delete;
    CTorvaneApp& operator=(const CTorvaneApp&) = delete;

    // A language for this run instead of the profile's ("ja" or "en"); before Start.
    void OverrideLanguage(std::string language) { m_LanguageOverride = std::move(language); }
    // --no-cache: every file is read; the tag cache is neither used nor kept.
    void DisableTagCache() { m_UseTagCache = false; }

    // Reads the profile, installs the interface language, creates the document and the main window,
    // shows it, gathers the command line and then, when the list is still empty, the list kept at
    // the last exit.
    bool Start(const std::vector<std::string>& args);
    // Runs the event loop until the window has closed, then shuts down.
    int Run();
    // After the window closed: the frame, the view and the document write their settings in
    // this order, and the profile is saved.
    void Shutdown();

    CTorvaneDoc* Doc() const { return m_Doc.get(); }
    CMainFrame* Frame() const { return m_Frame.get(); }
    CQtUiHost& Host() const { return *m_Host; }
    const CProfile& Profile() const { return m_Profile; }

private:
    CProfile m_Profile;
    std::string m_LanguageOverride;
    bool m_UseTagCache = true;
    // Outlives the windows, whose texts it translates.
    std::unique_ptr<CInterfaceLanguage> m_Language;
    std::unique_ptr<CQtUiHost> m_Host;
    std::unique_ptr<CTorvaneDoc> m_Doc;
    std::unique_ptr<CMainFrame> m_Frame;
};

} // namespace torvane
