#include "gui/app/MainFrame.h"

#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/app/DropWindow.h"
#include "gui/app/KeyRouter.h"
#include "gui/app/Menus.h"
#include "gui/bars/Bars.h"
#include "gui/bars/DataBar.h"
#include "gui/bars/PlayBar.h"
#include "gui/bars/StatusPanes.h"
#include "gui/desktop/QtUiHost.h"
#include "gui/i18n/Translate.h"
#include "gui/playback/MediaPlayer2.h"
#include "gui/playback/Playback.h"
#include "gui/view/ListModel.h"
#include "gui/view/TorvaneView.h"
#include "gui/widgets/VersionText.h"

#include "core/base/FileUri.h"
#include "core/commands/AutoSave.h"
#include "core/doc/TorvaneDoc.h"
#include "core/gather/Gathering.h"
#include "core/settings/Profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <sys/stat.h>

namespace torvane {
namespace {

constexpr const char* BarSection = "bar";
constexpr const char* WindowSection = "window";

// F10 opens the first menu of the menu bar, as on other desktops.
void AddMenuBarKey(QMainWindow* window) {
    auto* key = new QAction(window);
    key->setShortcut(QKeySequence(Qt::Key_F10));
    key->setShortcutContext(Qt::WindowShortcut);
    window->addAction(key);
    QObject::connect(key, &QAction::triggered, window, [window] {
        QMenuBar* bar = window->menuBar();
        if (!bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().front());
    });
}

// A bar button's drop-down part opens one of the history menus.
void AddDropDown(QToolBar* bar, QAction* action, QMenu* menu) {
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

} // namespace

bool IsOlderThan(const std::string& program, const std::string& profile) {
    struct stat programStat {};
    struct stat profileStat {};
    if (::stat(program.c_str(), &programStat) != 0 || ::stat(profile.c_str(), &profileStat) != 0)
        return false;
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return nanoseconds(programStat.st_mtim) < nanoseconds(profileStat.st_mtim);
}

CMainFrame::CMainFrame(CTorvaneDoc& doc, CProfile& profile, CQtUiHost& host, QWidget* parent)
    : QMainWindow(parent), m_Doc(doc), m_Profile(profile), m_Host(host),
      m_Actions(std::make_unique<CActions>(this)) {
    setObjectName(QStringLiteral("MainFrame"));
    setAcceptDrops(true);
    setMinimumSize(MinWidth, MinHeight);
    setDockOptions(QMainWindow::AnimatedDocks);
    addActions(QList<QAction*>(m_Actions->All().begin(), m_Actions->All().end()));

    m_Panes = std::make_unique<CStatusPanes>(statusBar());
    statusBar()->setSizeGripEnabled(true);
    m_View = new CTorvaneView(doc, profile, host.Icons(), *this, this);
    setCentralWidget(m_View);
    CreateBars();
    m_Playback = std::make_unique<CPlayback>(doc, &m_PlayBar->Player());

    m_Commands = new CCommands(*this, *m_View, doc, host, *m_Actions, this);
    m_Menus = std::make_unique<CMenus>(menuBar(), *m_Actions, this);
    m_View->SetContextMenus(m_Menus->Columns(), m_Menus->ListContext());
    BuildToolBar();
    BuildModeBar();
    AddMenuBarKey(this);
    NameForScreenReaders();
    m_KeyRouter = new CKeyRouter(*this);
    qApp->installEventFilter(m_KeyRouter);

    m_NoExitConfirm = m_Profile.GetInt(CTorvaneDoc::AppSection, "alert", 0) != 0;
    RestoreWindow();
    setWindowTitle(QStringLiteral("Torvane %1").arg(QString::fromStdString(GetVersionText())));
    RestoreLayout();
    connect(&m_Timer, &QTimer::timeout, this, [this] { m_Playback->CheckPlaybackEnd(); });
    m_Timer.start(1000);
    ConnectStates();
    ConnectPlayBar();
    m_Commands->UpdateStates();
}

// The commands go first: nothing the bars or the view signal while they are taken down may reach
// menus that are already gone.
CMainFrame::~CMainFrame() {
    delete m_Commands;
}

// Created and docked in the order search, play, data, size, mode, tool: the search bar above
// the mode bar, the size bar between them, the tool bar upright at the right.
void CMainFrame::CreateBars() {
    const CActions& actions = *m_Actions;
    m_SearchBar = new CSearchBar(actions[Cmd::ToggleSearchMode], actions[Cmd::SearchNew],
                                 actions[Cmd::SearchNarrow], this);
    m_PlayBar = new CPlayBar(this);
    m_DataBar = new CDataBar(actions[Cmd::CopyPath], actions[Cmd::Play],
                             actions[Cmd::OpenParentFolder], this);
    m_SizeBar = new CSizeBar(actions[Cmd::ComputeTotals], this);
    m_ModeBar = new QToolBar(Tr(QT_TRANSLATE_NOOP("Torvane", "ツール バー")), this);
    m_ModeBar->setObjectName(QStringLiteral("ModeBar"));
    m_ToolBar = new QToolBar(Tr(QT_TRANSLATE_NOOP("Torvane", "ツール バー")), this);
    m_ToolBar->setObjectName(QStringLiteral("ToolBar"));

    addToolBar(Qt::TopToolBarArea, m_SearchBar);
    addToolBar(Qt::BottomToolBarArea, m_PlayBar);
    addDockWidget(Qt::LeftDockWidgetArea, m_DataBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_SizeBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_ModeBar);
    addToolBar(Qt::RightToolBarArea, m_ToolBar);
    m_PlayBar->hide();
    m_DataBar->hide();
    m_SizeBar->hide();

    m_SizeBar->AlwaysBox()->setChecked(m_View->CalcAuto());
    connect(m_SizeBar->AlwaysBox(), &QCheckBox::toggled, this,
            [this](bool on) { m_View->SetCalcAuto(on); });
}

void CMainFrame::BuildToolBar() {
    const CActions& actions = *m_Actions;
    m_ToolBar->addActions({actions[Cmd::OpenFiles], actions[Cmd::InputItem],
                           actions[Cmd::OpenFolder], actions[Cmd::AddFromFolder],
                           actions[Cmd::Save]});
    m_ToolBar->addSeparator();
    m_ToolBar->addActions({actions[Cmd::MoveUp], actions[Cmd::MoveDown]});
    m_ToolBar->addSeparator();
    m_ToolBar->addActions({actions[Cmd::RemoveSelected], actions[Cmd::ClearList]});
    m_ToolBar->addSeparator();
    m_ToolBar->addActions(
        {actions[Cmd::Shuffle], actions[Cmd::DuplicateCheck], actions[Cmd::DuplicateList]});
    m_ToolBar->addSeparator();
    m_ToolBar->addAction(actions[Cmd::About]);
    AddDropDown(m_ToolBar, actions[Cmd::OpenFiles], m_Menus->FileHistory());
    AddDropDown(m_ToolBar, actions[Cmd::OpenFolder], m_Menus->FolderHistory());
    AddDropDown(m_ToolBar, actions[Cmd::Save], m_Menus->SaveMenu());
}

// The mode bar's buttons show short captions rather than pictures.
void CMainFrame::BuildModeBar() {
    const CActions& actions = *m_Actions;
    const std::pair<Cmd, const char*> buttons[] = {
        {Cmd::DropWindow, QT_TRANSLATE_NOOP("Torvane", "ドロップ")},
        {Cmd::Count, nullptr},
        {Cmd::GetTagsAuto, QT_TRANSLATE_NOOP("Torvane", "タグ取得")},
        {Cmd::TagStandard, QT_TRANSLATE_NOOP("Torvane", "標準")},
        {Cmd::TagExtended, QT_TRANSLATE_NOOP("Torvane", "拡張")},
        {Cmd::Count, nullptr},
        {Cmd::TimeClock, "mm:ss"},
        {Cmd::TimeSec, QT_TRANSLATE_NOOP("Torvane", "秒")},
        {Cmd::TimeMin, QT_TRANSLATE_NOOP("Torvane", "分")},
        {Cmd::Count, nullptr},
        {Cmd::GetSizesAuto, QT_TRANSLATE_NOOP("Torvane", "サイズ取得")},
        {Cmd::SizeKB, "kB"},
        {Cmd::SizeMB, "MB"},
    };
    m_ModeBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const auto& [id, caption] : buttons) {
        if (id == Cmd::Count) {
            m_ModeBar->addSeparator();
            continue;
        }
        actions[id]->setIconText(Tr(caption));
        m_ModeBar->addAction(actions[id]);
    }
}

// Containers a screen reader names as it enters them.
void CMainFrame::NameForScreenReaders() {
    menuBar()->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "メニュー バー")));
    statusBar()->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "ステータス バー")));
    if (auto* grip = statusBar()->findChild<QSizeGrip*>())
        grip->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "ウィンドウの大きさ")));
    m_DataBar->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "データ バー")));
    // the button a bar shows when it is too short for all of its buttons
    for (QToolBar* bar : findChildren<QToolBar*>())
        for (QToolButton* more : bar->findChildren<QToolButton*>("qt_toolbar_ext_button"))
            more->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "その他のボタン")));
}

// Check marks and enabled states follow the bars, the search bar and the menus.
void CMainFrame::ConnectStates() {
    for (QMenu* menu : m_Menus->All()) {
        connect(menu, &QMenu::aboutToShow, m_Commands, &CCommands::UpdateStates);
        // A highlighted item without a prompt, a submenu's title above all, shows nothing.
        connect(menu, &QMenu::hovered, this, [this](const QAction* action) {
            if (action->statusTip().isEmpty())
                m_Panes->ClearPrompt();
        });
        // Once the last menu has gone, the prompt pane is idle again.
        connect(
            menu, &QMenu::aboutToHide, this,
            [this] {
                if (!QApplication::activePopupWidget())
                    m_Panes->SetPrompt(QString());
            },
            Qt::QueuedConnection);
    }
    for (QToolBar* bar : {static_cast<QToolBar*>(m_SearchBar), static_cast<QToolBar*>(m_PlayBar),
                          static_cast<QToolBar*>(m_SizeBar), m_ModeBar, m_ToolBar})
        connect(bar, &QToolBar::visibilityChanged, m_Commands, &CCommands::UpdateStates);
    connect(m_DataBar, &QDockWidget::visibilityChanged, m_Commands, &CCommands::UpdateStates);
    connect(m_SearchBar, &CSearchBar::inputChanged, m_Commands, &CCommands::UpdateStates);
    statusBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(statusBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = createPopupMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(statusBar()->mapToGlobal(pos));
    });
}

// The arrows step through the list played from; "option >" shows the play modes, "data >" the
// facts of the playing track.
void CMainFrame::ConnectPlayBar() {
    m_PlayBar->SetModeMenu(m_Menus->PlayModes());
    m_PlayBar->SetNowPlaying([this]() -> const NowPlaying& { return m_Playback->Now(); });
    connect(m_PlayBar, &CPlayBar::stepRequested, this, [this](int step) {
        m_Playback->StepPlayback(step);
        m_Commands->UpdateStates();
    });
}

// ---- window rectangle and bar layout ----

// The first-start size is 530 x 500 unless the bars need more to show every control in this
// platform's font; a stored rectangle is used as it is.
void CMainFrame::RestoreWindow() {
    const QSize first = FirstStartSize();
    // 64-bit sums, so that a damaged profile (INT_MAX, INT_MIN) cannot overflow; a rectangle
    // without a positive size, or one no screen could hold, gives the first-start size.
    constexpr int64_t Farthest = 1 << 20;
    const auto number = [&](const char* key, int64_t fallback) -> int64_t {
        const int64_t limited = std::clamp<int64_t>(fallback, INT_MIN, INT_MAX);
        return m_Profile.GetInt(WindowSection, key, static_cast<int>(limited));
    };
    int64_t top = number("top", 0);
    int64_t left = number("left", 0);
    int64_t height = number("bottom", top + first.height()) - top;
    int64_t width = number("right", left + first.width()) - left;
    const auto fits = [](int64_t v) { return v > -Farthest && v < Farthest; };
    if (!fits(top) || !fits(left))
        top = left = 0;
    if (height <= 0 || width <= 0 || height >= Farthest || width >= Farthest) {
        height = first.height();
        width = first.width();
    }
    // The stored top-left corner is the frame's, as a window manager places it: the title bar
    // of a window at (0, 0) stays on the screen.
    resize(static_cast<int>(width), static_cast<int>(height));
    move(static_cast<int>(left), static_cast<int>(top));
}

// Measured with the hidden tool bars shown too, so that showing one later pushes no control of
// any bar into its "»" menu.
QSize CMainFrame::FirstStartSize() {
    ensurePolished();
    std::vector<QWidget*> hidden;
    for (QToolBar* bar : findChildren<QToolBar*>())
        if (bar->isHidden()) {
            hidden.push_back(bar);
            bar->show();
        }
    const QSize needed = sizeHint();
    for (QWidget* bar : hidden)
        bar->hide();
    return QSize(530, 500).expandedTo(needed);
}

// A layout saved by an older program file may not fit the bars of this one.
void CMainFrame::RestoreLayout() {
    const std::string state = m_Profile.GetString(BarSection, "state");
    if (state.empty() || !IsOlderThan("/proc/self/exe", m_Profile.Path()))
        return;
    m_LayoutRestored = restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void CMainFrame::SaveSettings() {
    m_Playback->StopPlayback();
    m_Profile.ClearSection(BarSection);
    const QByteArray layout = m_LayoutAtClose.isEmpty() ? saveState() : m_LayoutAtClose;
    m_Profile.SetString(BarSection, "state", layout.toBase64().toStdString());
    // The frame's corner with the inner size, as the rectangle was restored.
    NoteFrame();
    const QRect normal = normalGeometry().translated(-m_FrameOffset);
    m_Profile.SetInt(WindowSection, "bottom", normal.y() + normal.height());
    m_Profile.SetInt(WindowSection, "top", normal.y());
    m_Profile.SetInt(WindowSection, "left", normal.x());
    m_Profile.SetInt(WindowSection, "right", normal.x() + normal.width());
    m_Profile.SetInt(CTorvaneDoc::AppSection, "alert", m_NoExitConfirm ? 1 : 0);
}

// ---- bars ----

void CMainFrame::HideAllBars() {
    for (QWidget* bar : std::initializer_list<QWidget*>{m_PlayBar, m_ToolBar, m_SearchBar,
                                                        m_SizeBar, m_DataBar, m_ModeBar})
        bar->hide();
}

void CMainFrame::SyncSearchMode() {
    const bool searchMode = m_Doc.SearchMode();
    if (searchMode == m_ShownSearchMode)
        return;
    m_ShownSearchMode = searchMode;
    if (searchMode)
        m_SearchBar->show();
    m_Panes->SetSearchMode(searchMode);
}

// ---- the view's site ----

void CMainFrame::SetSelectionText(int index, const QString& text, const QString& tip,
                                  const QIcon& icon) {
    m_Panes->SetSelection(index, text, tip, icon);
}

void CMainFrame::SetSelectedCountText(const QString& text) {
    m_Panes->SetSelectedCount(text);
}

void CMainFrame::SetItemCountText(const QString& text) {
    m_Panes->SetItemCount(text);
    SyncSearchMode();
}

bool CMainFrame::IsSizeBarVisible() const {
    return m_SizeBar->isVisible();
}

void CMainFrame::ShowSizeTotals(uint64_t bytes, int64_t seconds) {
    m_SizeBar->ShowTotals(bytes, seconds);
}

void CMainFrame::FillDataBar(const CListData* record) {
    m_DataBar->Fill(record, m_Doc.Settings().TagOf, m_Doc.Codec());
}

// ---- events ----

// Prompts of menu items and bar controls go to the first status pane.
bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // In an open menu, an item without a prompt (a submenu) shows nothing; "ﾚﾃﾞｨ" is for
        // when no menu is open.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty() && QApplication::activePopupWidget())
            m_Panes->ClearPrompt();
        else
            m_Panes->SetPrompt(tip);
        return true;
    }
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::Move ||
        event->type() == QEvent::Resize)
        NoteFrame();
    return handled;
}

// While a long operation runs the window is disabled: it changes the lists between its event
// processing, so the list cannot be kept and the window cannot go away under it.
void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (!m_NoExitConfirm && m_Host.ShowMessage(MessageKind::Confirmation, MessageId::ExitQuestion,
                                               MessageButtons::YesNo) != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    AutoSaveList(m_Doc);
    m_Timer.stop();
    RememberAtClose();
    event->accept();
}

void CMainFrame::RememberAtClose() {
    m_LayoutAtClose = saveState();
    NoteFrame();
}

// Only a shown window in its normal state has the frame its stored rectangle is for: a window
// manager may take the frame off a maximised one.
void CMainFrame::NoteFrame() {
    if (isVisible() && windowState() == Qt::WindowNoState)
        m_FrameOffset = geometry().topLeft() - frameGeometry().topLeft();
}

void CMainFrame::EndForSession() {
    m_Timer.stop();
    if (isVisible())
        RememberAtClose();
    hide();
}

// Rows dragged out of the list and let go over the window are already in it.
void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !IsOwnRowsDrag(*event->mimeData()))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    DropFiles(*event->mimeData());
}

// The paths as bytes from the URLs' encoded form: only local file URLs (no host, or
// "localhost"); toLocalFile would lose a name that is not UTF-8.
void CMainFrame::DropFiles(const QMimeData& data) {
    if (IsOwnRowsDrag(data))
        return;
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls())
        if (std::optional<std::string> path = PathOfLocation(url.toEncoded().toStdString(), {}))
            paths.push_back(std::move(*path));
    if (!paths.empty())
        torvane::DropFiles(m_Doc, paths);
}

CDropWindow* CMainFrame::DropWindow() const {
    return m_DropWindow;
}

void CMainFrame::ToggleDropWindow() {
    if (m_DropWindow) {
        delete m_DropWindow.data();
        return;
    }
    m_DropWindow = new CDropWindow(this);
    connect(m_DropWindow, &CDropWindow::filesDropped, this, &CMainFrame::DropFiles);
    // Enter and Esc close it too: the check mark follows once it is gone.
    connect(m_DropWindow, &QObject::destroyed, m_Commands, &CCommands::UpdateStates,
            Qt::QueuedConnection);
    m_DropWindow->show();
    m_DropWindow->activateWindow();
}

QMenu* CMainFrame::createPopupMenu() {
    m_Commands->UpdateStates();
    return m_Menus->NewToolbarsMenu(this);
}

} // namespace torvane
