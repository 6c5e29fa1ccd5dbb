#pragma once

#include "core/settings/Profile.h"
#include "gui/desktop/QtUiHost.h"
#include "gui/i18n/InterfaceLanguage.h"

#include <memory>
#include <string>
#include <vector>

class QObject;

namespace torvane {

class CDesktopBus;
class CMainFrame;
class CQuitSignals;
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

    // Reads the profile, installs the interface language, creates the document and the main window
    // and shows it. Once the window is on the screen, the event loop gathers the command line and
    // then, when the list is still empty, the list kept at the last exit (LoadLists), so that a
    // long list loads under its progress window in a window the user already sees.
    bool Start(const std::vector<std::string>& args);
    // True once the lists of the start have been read (or left, when the session ended first).
    bool ListsLoaded() const { return m_ListsLoaded; }
    // Runs the event loop until the window has closed, then shuts down.
    int Run();
    // After the window closed: the frame, the view and the document write their settings in
    // this order, and the tag cache and the profile are saved. Not while LoadLists runs.
    void Shutdown();

    CTorvaneDoc* Doc() const { return m_Doc.get(); }
    CMainFrame* Frame() const { return m_Frame.get(); }
    CQtUiHost& Host() const { return *m_Host; }
    // The window on the session bus; none before Start and after Shutdown.
    CDesktopBus* Bus() const { return m_Bus.get(); }
    const CProfile& Profile() const { return m_Profile; }

private:
    void LoadLists();
    // The inputs a later start handed over: with the command line when the lists are still to
    // be read, otherwise gathered as the command line's once the window takes commands (after
    // the reading of the lists, when they are being read).
    void ReceiveInputs(std::vector<std::string> inputs);
    void EndForSession();
    // A quit signal ends the program as the end of the session does, but keeps the list as a
    // closed window would (when it was read whole at the start).
    void EndForSignal();
    // A file written at exit (the tag cache, the profile) could not be written: the reason goes
    // to stderr, and the user is told unless the session is ending, which nothing may hold up.
    void ReportExitWriteFailure(const std::string& error);

    CProfile m_Profile;
    std::string m_LanguageOverride;
    bool m_UseTagCache = true;
    // Outlives the windows, whose texts it translates.
    std::unique_ptr<CInterfaceLanguage> m_Language;
    std::unique_ptr<CQtUiHost> m_Host;
    std::unique_ptr<CTorvaneDoc> m_Doc;
    std::unique_ptr<CMainFrame> m_Frame;
    std::vector<std::string> m_Args;
    std::unique_ptr<QObject> m_FirstPaint;
    std::unique_ptr<CQuitSignals> m_QuitSignals;
    std::unique_ptr<CDesktopBus> m_Bus;
    bool m_ListsLoaded = false;
    bool m_LoadingLists = false;
    bool m_SessionEnding = false;
    bool m_KeepListAtEnd = false;
};

} // namespace torvane
