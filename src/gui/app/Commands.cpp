#include "Commands.h"

#include "Actions.h"
#include "Bars.h"
#include "MainFrame.h"
#include "QtUiHost.h"
#include "SimpleRoutes.h"
#include "dialogs/AddItemDialog.h"
#include "view/ListModel.h"
#include "view/TorvaneView.h"

#include "core/doc/Progress.h"
#include "core/doc/TorvaneDoc.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>

#include <filesystem>
#include <set>

namespace torvane {
namespace {

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// A long route: wait cursor and progress window around the work, then the new count.
template <typename Work> void WithProgress(CTorvaneDoc& doc, CQtUiHost& host, Work work) {
    host.SetWaitCursor(true);
    std::unique_ptr<CProgress> progress = host.OpenProgress();
    work(*progress);
    doc.UpdateItemCount();
    progress->Close();
    host.SetWaitCursor(false);
}

} // namespace

bool IsEnabledByRule(Cmd id, const CommandFacts& facts) {
    if (InRange(id, Cmd::SortSelection0, 13))
        return true;
    switch (id) {
    case Cmd::ClearList:
    case Cmd::Save:
    case Cmd::SaveEachFolder:
    case Cmd::SelectAll:
    case Cmd::InvertSelection:
    case Cmd::GetTags:
    case Cmd::GetAllTags:
    case Cmd::GetSizes:
    case Cmd::GetAllSizes:
        return facts.Rows >= 1;
    case Cmd::ClearInfo:
    case Cmd::RemoveSelected:
    case Cmd::CopyPath:
    case Cmd::CopyName:
    case Cmd::AddToOtherList:
        return facts.Selected >= 1;
    case Cmd::Shuffle:
    case Cmd::ShuffleSelection:
    case Cmd::DuplicateCheck:
    case Cmd::DuplicateList:
        return facts.Rows > 1;
    case Cmd::Play:
    case Cmd::OpenItem:
    case Cmd::Properties:
    case Cmd::Trash:
        return facts.Selected == 1 && facts.FirstSelectedExists;
    case Cmd::OpenParentFolder:
        return facts.Selected >= 1 && facts.FirstSelectedExists;
    case Cmd::MoveUp:
        return facts.Selected >= 1 && !facts.FirstRowSelected;
    case Cmd::MoveDown:
        return facts.Selected >= 1 && !facts.LastRowSelected;
    case Cmd::SearchNew:
        return !facts.SearchTextEmpty || facts.Existence != 0;
    case Cmd::SearchNarrow:
        return !facts.SearchTextEmpty && facts.SearchListSize > 0;
    case Cmd::OpenAutoSaveList:
        return facts.AutoSaveListExists;
    case Cmd::ReadSizesOnLoad:
        // reading tags on load always reads the size
        return (facts.ReadTag & DocSettings::ReadTags) == 0;
    default:
        return true;
    }
}

bool CCommands::IsPending(Cmd id) {
    static const std::set<Cmd> pending{
        Cmd::OpenFiles,
        Cmd::OpenFolder,
        Cmd::AddFromFolder,
        Cmd::Save,
        Cmd::SaveEachFolder,
        Cmd::About,
        Cmd::OpenItem,
        Cmd::Play,
        Cmd::Stop,
        Cmd::GetTags,
        Cmd::GetAllTags,
        Cmd::GetSizes,
        Cmd::GetAllSizes,
        Cmd::ClearInfo,
        Cmd::CopyPath,
        Cmd::CopyName,
        Cmd::Trash,
        Cmd::OpenParentFolder,
        Cmd::Properties,
        Cmd::SwapLists,
        Cmd::AddToOtherList,
        Cmd::MoveUp,
        Cmd::MoveDown,
        Cmd::RemoveSelected,
        Cmd::ShuffleSelection,
        Cmd::Shuffle,
        Cmd::DuplicateCheck,
        Cmd::DuplicateList,
        Cmd::ColumnChooser,
        Cmd::DropWindow,
        Cmd::GetTagsAuto,
        Cmd::GetSizesAuto,
        Cmd::ExtendedSearch,
        Cmd::SearchNew,
        Cmd::SearchNarrow,
        Cmd::ExtensionSettings,
    };
    return pending.count(id) > 0 || InRange(id, Cmd::SortSelection0, 13) ||
           InRange(id, Cmd::FileHistory0, 5) || InRange(id, Cmd::FolderHistory0, 5);
}

CCommands::CCommands(CMainFrame& frame, CTorvaneView& view, CTorvaneDoc& doc, CQtUiHost& host,
                     const CActions& actions, std::string autoSavePath, QObject* parent)
    : QObject(parent), m_Frame(frame), m_View(view), m_Doc(doc), m_Host(host), m_Actions(actions),
      m_AutoSavePath(std::move(autoSavePath)) {
    for (const CommandSpec& spec : CommandTable())
        connect(actions[spec.Id], &QAction::triggered, this, [this, id = spec.Id] { Run(id); });
    connect(&view, &CTorvaneView::sortRequested, this, &CCommands::SortAll);
    connect(&view, &CTorvaneView::playRequested, this, [this] { Run(Cmd::Play); });
    connect(&view, &CTorvaneView::stateChanged, this, &CCommands::UpdateStates);
}

void CCommands::Run(Cmd id) {
    if (InRange(id, Cmd::Column0, ColumnCount)) {
        m_View.ToggleColumn(id - Cmd::Column0);
    } else if (InRange(id, Cmd::SortSelection0, 13)) {
        const int key = id - Cmd::SortSelection0;
        SortSelection(key, m_View.TakeSortDirection(key));
    } else if (InRange(id, Cmd::Depth0, 6)) {
        m_Doc.Settings().SearchClass = id - Cmd::Depth0;
    } else if (InRange(id, Cmd::FileHistory0, 5)) {
        OpenFileHistoryItem(id - Cmd::FileHistory0);
    } else if (InRange(id, Cmd::FolderHistory0, 5)) {
        OpenFolderHistoryItem(id - Cmd::FolderHistory0);
    } else {
        RunSimple(id);
    }
    emit executed(id);
    UpdateStates();
}

void CCommands::RunSimple(Cmd id) {
    DocSettings& settings = m_Doc.Settings();
    switch (id) {
    case Cmd::ClearList:
        m_Doc.OnNewDocument();
        break;
    case Cmd::OpenFiles:
        OpenFiles();
        break;
    case Cmd::InputItem:
        InputItem();
        break;
    case Cmd::OpenFolder:
        OpenFolder();
        break;
    case Cmd::AddFromFolder:
        AddFromFolder();
        break;
    case Cmd::Save:
        SaveList();
        break;
    case Cmd::SaveEachFolder:
        SaveEachFolder();
        break;
    case Cmd::OpenAutoSaveList:
        OpenAutoSaveList();
        break;
    case Cmd::About:
        ShowAbout();
        break;
    case Cmd::Exit:
        m_Frame.close();
        break;
    case Cmd::OpenItem:
        OpenItem();
        break;
    case Cmd::Play:
        Play();
        break;
    case Cmd::Stop:
        Stop();
        break;
    case Cmd::GetTags:
        GetInfo(true);
        break;
    case Cmd::GetAllTags:
        GetInfo(false);
        break;
    case Cmd::GetSizes:
        GetSizes(true);
        break;
    case Cmd::GetAllSizes:
        GetSizes(false);
        break;
    case Cmd::ClearInfo:
        ClearSelectedInfo();
        break;
    case Cmd::CopyPath:
        CopyPaths();
        break;
    case Cmd::CopyName:
        CopyNames();
        break;
    case Cmd::Trash:
        MoveToTrash();
        break;
    case Cmd::OpenParentFolder:
        OpenParentFolder();
        break;
    case Cmd::Properties:
        ShowProperties();
        break;
    case Cmd::SwapLists:
        SwapLists();
        break;
    case Cmd::AddToOtherList:
        AddSelectionToOtherList();
        break;
    case Cmd::MoveUp:
        MoveUp();
        break;
    case Cmd::MoveDown:
        MoveDown();
        break;
    case Cmd::SelectAll:
        m_View.selectAll();
        break;
    case Cmd::InvertSelection:
        m_View.InvertSelection();
        break;
    case Cmd::RemoveSelected:
        RemoveSelected();
        break;
    case Cmd::ShuffleSelection:
        ShuffleSelection();
        break;
    case Cmd::Shuffle:
        ShuffleAll();
        break;
    case Cmd::DuplicateCheck:
        CheckDuplicates();
        break;
    case Cmd::DuplicateList:
        ListDuplicates();
        break;
    case Cmd::FullRowSelect:
        m_View.SetFullRowSelect(!m_View.FullRowSelect());
        break;
    case Cmd::GridLines:
        m_View.setShowGrid(!m_View.showGrid());
        break;
    case Cmd::HideAllBars:
        m_Frame.HideAllBars();
        break;
    case Cmd::ShowToolBar:
    case Cmd::ShowModeBar:
    case Cmd::ShowPlayBar:
    case Cmd::ShowSearchBar:
    case Cmd::ShowDataBar:
    case Cmd::ShowSizeBar:
    case Cmd::ShowStatusBar:
        ToggleBar(id);
        break;
    case Cmd::ColumnChooser:
        ChooseColumns();
        break;
    case Cmd::SizeKB:
    case Cmd::SizeMB:
        settings.SizeOf = id - Cmd::SizeKB;
        m_View.Redraw();
        break;
    case Cmd::TimeClock:
        settings.TimeOf = 0;
        m_View.Redraw();
        break;
    case Cmd::TimeSec:
        settings.TimeOf = 1;
        m_View.Redraw();
        break;
    case Cmd::TimeMin:
        settings.TimeOf = 2;
        m_View.Redraw();
        break;
    case Cmd::TagStandard:
        SetTagMode(0);
        break;
    case Cmd::TagExtended:
        SetTagMode(1);
        break;
    case Cmd::DropWindow:
        ToggleDropWindow();
        break;
    case Cmd::GetTagsAuto:
        GetInfoFromBar();
        break;
    case Cmd::GetSizesAuto:
        GetSizesFromBar();
        break;
    case Cmd::ToggleSearchMode:
        ToggleSearchMode();
        break;
    case Cmd::ExtendedSearch:
        ExtendedSearch();
        break;
    case Cmd::SearchNew:
        RunSearch(false);
        break;
    case Cmd::SearchNarrow:
        RunSearch(true);
        break;
    case Cmd::ReadTagsOnLoad:
        settings.readtag ^= DocSettings::ReadTags;
        break;
    case Cmd::ReadSizesOnLoad:
        settings.readtag ^= DocSettings::ReadSizes;
        break;
    case Cmd::ExtensionSettings:
        EditExtensions();
        break;
    case Cmd::IgnoreLeadingDigits:
        settings.DisNum = settings.DisNum ? 0 : 1;
        break;
    case Cmd::NoExitConfirm:
        m_Frame.SetNoExitConfirm(!m_Frame.NoExitConfirm());
        break;
    case Cmd::SaveOnExit:
        settings.CloseSave = settings.CloseSave ? 0 : 1;
        break;
    case Cmd::ComputeTotals:
        m_View.ComputeTotals();
        break;
    default:
        break;
    }
}

// ---- states ----

CommandFacts CCommands::Facts() const {
    CommandFacts facts;
    facts.Rows = m_View.ItemCount();
    const std::vector<int> rows = m_View.SelectedRows();
    facts.Selected = static_cast<int>(rows.size());
    if (!rows.empty()) {
        facts.FirstRowSelected = rows.front() == 0;
        facts.LastRowSelected = rows.back() == facts.Rows - 1;
        const CListData* first = m_View.Model().Record(rows.front());
        facts.FirstSelectedExists = first && Exists(first->FilePath());
    }
    facts.SearchTextEmpty = m_Frame.SearchBar().Text().isEmpty();
    facts.Existence = m_Frame.SearchBar().Existence();
    facts.SearchListSize = static_cast<int>(m_Doc.SearchList().size());
    facts.AutoSaveListExists = Exists(m_AutoSavePath);
    facts.ReadTag = m_Doc.Settings().readtag;
    return facts;
}

void CCommands::UpdateStates() {
    const CommandFacts facts = Facts();
    for (const CommandSpec& spec : CommandTable())
        m_Actions[spec.Id]->setEnabled(!IsPending(spec.Id) && IsEnabledByRule(spec.Id, facts));
    m_Actions[Cmd::AddToOtherList]->setText(m_Doc.SearchMode() ? tr("全リストに追加")
                                                               : tr("検索リストに追加"));
    UpdateChecks();
}

void CCommands::UpdateChecks() {
    const DocSettings& settings = m_Doc.Settings();
    const auto check = [this](Cmd id, bool on) { m_Actions[id]->setChecked(on); };
    check(Cmd::FullRowSelect, m_View.FullRowSelect());
    check(Cmd::GridLines, m_View.showGrid());
    check(Cmd::ShowToolBar, m_Frame.ToolBar().isVisible());
    check(Cmd::ShowModeBar, m_Frame.ModeBar().isVisible());
    check(Cmd::ShowPlayBar, m_Frame.PlayBar().isVisible());
    check(Cmd::ShowSearchBar, m_Frame.SearchBar().isVisible());
    check(Cmd::ShowDataBar, m_Frame.DataBar().isVisible());
    check(Cmd::ShowSizeBar, m_Frame.SizeBar().isVisible());
    check(Cmd::ShowStatusBar, m_Frame.statusBar()->isVisible());
    for (int key = 0; key < ColumnCount; ++key)
        check(Cmd::Column0 + key, m_View.IsColumnShown(key));
    check(settings.SizeOf == 1 ? Cmd::SizeMB : Cmd::SizeKB, true);
    check(Cmd::TimeClock, settings.TimeOf == 0);
    check(Cmd::TimeSec, settings.TimeOf == 1);
    check(Cmd::TimeMin, settings.TimeOf == 2);
    check(settings.TagOf == 1 ? Cmd::TagExtended : Cmd::TagStandard, true);
    check(Cmd::DropWindow, false);
    check(Cmd::ToggleSearchMode, m_Doc.SearchMode() != 0);
    check(Cmd::ReadTagsOnLoad, (settings.readtag & DocSettings::ReadTags) != 0);
    check(Cmd::ReadSizesOnLoad, settings.readtag != 0);
    for (int level = 0; level <= 5; ++level)
        check(Cmd::Depth0 + level, settings.SearchClass == level);
    check(Cmd::IgnoreLeadingDigits, settings.DisNum != 0);
    check(Cmd::NoExitConfirm, m_Frame.NoExitConfirm());
    check(Cmd::SaveOnExit, settings.CloseSave != 0);
}

// ---- commands available now ----

void CCommands::ToggleBar(Cmd id) {
    QWidget* bar = nullptr;
    switch (id) {
    case Cmd::ShowToolBar:
        bar = &m_Frame.ToolBar();
        break;
    case Cmd::ShowModeBar:
        bar = &m_Frame.ModeBar();
        break;
    case Cmd::ShowPlayBar:
        bar = &m_Frame.PlayBar();
        break;
    case Cmd::ShowSearchBar:
        bar = &m_Frame.SearchBar();
        break;
    case Cmd::ShowDataBar:
        bar = &m_Frame.DataBar();
        break;
    case Cmd::ShowSizeBar:
        bar = &m_Frame.SizeBar();
        break;
    default:
        bar = m_Frame.statusBar();
        break;
    }
    bar->setVisible(!bar->isVisible());
}

// Switches between the all list and the search list; the frame follows the mode (search bar,
// mode pane) when the new count reaches it.
void CCommands::ToggleSearchMode() {
    m_Doc.SetSearchMode(m_Doc.SearchMode() == 0);
    m_Doc.UpdateItemCount();
    m_View.clearSelection();
    m_View.UpdateSelectionTexts();
}

void CCommands::SetTagMode(int mode) {
    m_Doc.Settings().TagOf = mode;
    m_View.Redraw();
    const std::vector<int> rows = m_View.SelectedRows();
    if (rows.size() == 1)
        m_Frame.FillDataBar(m_View.Model().Record(rows.front()));
}

void CCommands::InputItem() {
    CAddItemDialog dialog(&m_Frame);
    while (dialog.exec() == QDialog::Accepted) {
        if (m_Doc.AddFile(dialog.Path().toStdString(), !dialog.IgnoreExtension())) {
            m_Doc.UpdateItemCount();
            m_View.Redraw();
            return;
        }
        m_Host.Beep();
    }
}

void CCommands::OpenAutoSaveList() {
    if (!Exists(m_AutoSavePath))
        return;
    simple::ReadPathList(m_Doc, m_AutoSavePath);
    m_Doc.UpdateItemCount();
}

void CCommands::LoadCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        m_Doc.UpdateItemCount();
        return;
    }
    WithProgress(m_Doc, m_Host,
                 [&](CProgress& progress) { simple::GatherPaths(m_Doc, args, progress); });
}

void CCommands::DropFiles(const std::vector<std::string>& paths) {
    WithProgress(m_Doc, m_Host,
                 [&](CProgress& progress) { simple::GatherPaths(m_Doc, paths, progress); });
}

void CCommands::AutoLoadList() {
    if (!m_Doc.AllList().empty() || !m_Doc.Settings().CloseSave)
        return;
    if (m_Doc.SearchMode())
        ToggleSearchMode();
    OpenAutoSaveList();
}

// The all list is kept for the next run; an empty one leaves no file behind.
void CCommands::AutoSaveList() {
    if (!m_Doc.Settings().CloseSave)
        return;
    if (m_Doc.SearchMode())
        ToggleSearchMode();
    if (m_Doc.AllList().empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_AutoSavePath, ignored);
        return;
    }
    std::string error;
    if (!simple::WritePathList(m_Doc.AllList(), m_AutoSavePath, error))
        m_Host.ShowMessage(tr("ファイルのオープンに失敗しました").toStdString(), "error",
                           MessageButtons::Ok);
}

// ---- commands whose operations are still to come ----

void CCommands::SortAll(int /*key*/, bool /*descending*/) {}

void CCommands::CheckPlaybackEnd() {}

} // namespace torvane
