#pragma once

#include "gui/view/ViewSite.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <string>

class QMimeData;

namespace torvane {

class CActions;
class CCommands;
class CDataBar;
class CDropWindow;
class CKeyRouter;
class CMenus;
class CPlayback;
class CPlayBar;
class CProfile;
class CQtUiHost;
class CSearchBar;
class CSizeBar;
class CStatusPanes;
class CTorvaneDoc;
class CTorvaneView;

// The main window: the list view in the middle, six bars around it, the six-pane status bar,
// the menus and keys. Remembers its rectangle, the bar layout and "alert" in the profile, asks
// before closing and keeps the list on close when the user wants it.
class CMainFrame final : public QMainWindow, public CViewSite {
    Q_OBJECT
public:
    static constexpr int MinWidth = 530;
    static constexpr int MinHeight = 300;

    CMainFrame(CTorvaneDoc& doc, CProfile& profile, CQtUiHost& host, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CTorvaneView& View() const { return *m_View; }
    CCommands& Commands() const { return *m_Commands; }
    const CActions& Actions() const { return *m_Actions; }
    CMenus& Menus() const { return *m_Menus; }
    CStatusPanes& Panes() const { return *m_Panes; }
    CSearchBar& SearchBar() const { return *m_SearchBar; }
    CSizeBar& SizeBar() const { return *m_SizeBar; }
    QToolBar& ToolBar() const { return *m_ToolBar; }
    QToolBar& ModeBar() const { return *m_ModeBar; }
    CPlayBar& PlayBar() const { return *m_PlayBar; }
    CDataBar& DataBar() const { return *m_DataBar; }
    CPlayback& Playback() const { return *m_Playback; }
    bool IsTimerRunning() const { return m_Timer.isActive(); }
    // Whether the saved bar layout was taken at start.
    bool LayoutRestored() const { return m_LayoutRestored; }

    // 530 x 500, or more where the bars need it in this platform's font and language: every
    // control of every tool bar, the hidden ones too, is in sight at this size.
    QSize FirstStartSize();

    bool NoExitConfirm() const { return m_NoExitConfirm; }
    void SetNoExitConfirm(bool on) { m_NoExitConfirm = on; }
    // Hides the six bars; the status bar stays.
    void HideAllBars();
    // Follows the document's mode: the search bar shows on entering search mode, the mode pane
    // shows the search mark and its tip.
    void SyncSearchMode();
    // Files and folders dropped on the window or the drop window enter the list.
    void DropFiles(const QMimeData& data);
    // "ドロップダイアログ": opens the one drop window, or closes it when it is open.
    void ToggleDropWindow();
    // The drop window while it is open; it clears itself when the window closes.
    CDropWindow* DropWindow() const;
    // The destroy step: the player stops; bar layout, window rectangle, "alert".
    void SaveSettings();
    // The session ends (logout, shutdown): the window goes without the question and without
    // keeping the list; the settings are still written at shutdown.
    void EndForSession();

    // The view's site.
    void SetSelectionText(int index, const QString& text, const QString& tip,
                          const QIcon& icon) override;
    void SetSelectedCountText(const QString& text) override;
    void SetItemCountText(const QString& text) override;
    bool IsSizeBarVisible() const override;
    void ShowSizeTotals(uint64_t bytes, int64_t seconds) override;
    void FillDataBar(const CListData* record) override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void CreateBars();
    void BuildToolBar();
    void BuildModeBar();
    void NameForScreenReaders();
    void ConnectStates();
    void ConnectPlayBar();
    void RestoreWindow();
    void RestoreLayout();
    // What closing the window would lose: the shown floating bars and the frame's size.
    void RememberAtClose();
    // Takes the frame's size while the window shows in its normal state.
    void NoteFrame();

    CTorvaneDoc& m_Doc;
    CProfile& m_Profile;
    CQtUiHost& m_Host;
    std::unique_ptr<CActions> m_Actions;
    std::unique_ptr<CStatusPanes> m_Panes;
    CTorvaneView* m_View = nullptr;
    CSearchBar* m_SearchBar = nullptr;
    CPlayBar* m_PlayBar = nullptr;
    CDataBar* m_DataBar = nullptr;
    CSizeBar* m_SizeBar = nullptr;
    QToolBar* m_ModeBar = nullptr;
    QToolBar* m_ToolBar = nullptr;
    CCommands* m_Commands = nullptr;
    std::unique_ptr<CMenus> m_Menus;
    CKeyRouter* m_KeyRouter = nullptr;
    std::unique_ptr<CPlayback> m_Playback;
    QPointer<CDropWindow> m_DropWindow;
    QTimer m_Timer;
    bool m_NoExitConfirm = false;
    bool m_LayoutRestored = false;
    bool m_ShownSearchMode = false;
    // The bar layout as it stood when the window was asked to close: closing hides the floating
    // bars with the window, and they must come back shown.
    QByteArray m_LayoutAtClose;
    // From the frame's top-left corner to the inner area's.
    QPoint m_FrameOffset;
};

// Whether the program file was last written before the profile (both must exist): only then
// is a saved bar layout taken.
bool IsOlderThan(const std::string& program, const std::string& profile);

} // namespace torvane
