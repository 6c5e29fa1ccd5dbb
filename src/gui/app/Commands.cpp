#include "gui/app/Commands.h"

#include "gui/app/Actions.h"
#include "gui/app/MainFrame.h"
#include "gui/app/Menus.h"
#include "gui/bars/Bars.h"
#include "gui/bars/DataBar.h"
#include "gui/bars/PlayBar.h"
#include "gui/desktop/ChosenPaths.h"
#include "gui/desktop/QtDesktop.h"
#include "gui/desktop/QtUiHost.h"
#include "gui/desktop/TrackNotifier.h"
#include "gui/dialogs/AboutBox.h"
#include "gui/dialogs/AddItemDialog.h"
#include "gui/dialogs/CustomSaveDialog.h"
#include "gui/dialogs/ExtSearchDialog.h"
#include "gui/dialogs/ExtensionDialog.h"
#include "gui/dialogs/FolderSaveDialog.h"
#include "gui/dialogs/FolderSearchDialog.h"
#include "gui/i18n/InterfaceLanguage.h"
#include "gui/playback/Playback.h"
#include "gui/view/ColumnDialog.h"
#include "gui/view/ListModel.h"
#include "gui/view/TorvaneView.h"

#include "core/base/Paths.h"
#include "core/commands/AutoSave.h"
#include "core/commands/FileOperations.h"
#include "core/commands/InfoCommands.h"
#include "core/doc/TorvaneDoc.h"
#include "core/gather/Gathering.h"
#include "core/listops/Duplicates.h"
#include "core/listops/FolderSearch.h"
#include "core/listops/Reorder.h"
#include "core/listops/Search.h"
#include "core/listops/Sorting.h"
#include "core/save/FolderSaver.h"
#include "core/save/PlaylistWriter.h"
#include "core/settings/Profile.h"
#include "core/settings/TemplateFolders.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>

#include <exception>
#include <iostream>
#include <new>

namespace torvane {

bool IsEnabledByRule(Cmd id, const CommandFacts& facts) {
    if (InRange(id, Cmd::SortSelection0, 13))
        return true;
    switch (id) {
    case Cmd::ClearList:
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
        return !facts.SearchTextEmpty || facts.Existence != FileExistence::All;
    case Cmd::SearchNarrow:
        return !facts.SearchTextEmpty && facts.SearchListSize > 0;
    case Cmd::OpenAutoSaveList:
        return facts.AutoSaveListExists;
    case Cmd::Stop:
        return facts.Playing;
    default:
        return true;
    }
}

CCommands::CCommands(CMainFrame& frame, CTorvaneView& view, CTorvaneDoc& doc, CQtUiHost& host,
                     const CActions& actions, QObject* parent)
    : QObject(parent), m_Frame(frame), m_View(view), m_Doc(doc), m_Host(host), m_Actions(actions),
      m_Desktop(new CQtDesktop(&frame, this)), m_Language(CInterfaceLanguage::Running()) {
    for (const CommandInfo& command : CommandTable())
        connect(actions[command.Id], &QAction::triggered, this,
                [this, id = command.Id] { Run(id); });
    connect(&view, &CTorvaneView::sortRequested, this, &CCommands::SortAll);
    connect(&view, &CTorvaneView::playRequested, this, [this] { Run(Cmd::Play); });
    connect(&view, &CTorvaneView::stateChanged, this, &CCommands::UpdateStates);
}

// The last place an exception of a command can be caught before the event loop: a lack of
// memory that no operation caught ends the command with the message, not the program.
void CCommands::Run(Cmd id) {
    try {
        Dispatch(id);
    } catch (const std::bad_alloc&) {
        m_Doc.EndExpectedFiles();
        m_Doc.UpdateItemCount();
        m_Host.ShowMessage(MessageKind::Error, MessageId::OutOfMemory, MessageButtons::Ok);
    } catch (const std::exception& e) {
        m_Doc.EndExpectedFiles();
        m_Doc.UpdateItemCount();
        std::cerr << "torvane: command " << static_cast<int>(id) << " stopped: " << e.what()
                  << "\n";
    }
    emit executed(id);
    UpdateStates();
}

void CCommands::Dispatch(Cmd id) {
    if (InRange(id, Cmd::Column0, ColumnCount)) {
        m_View.ToggleColumn(id - Cmd::Column0);
    } else if (InRange(id, Cmd::SortSelection0, 13)) {
        const auto key = static_cast<ColumnKey>(id - Cmd::SortSelection0);
        SortSelection(key, m_View.TakeSortDirection(key));
    } else if (InRange(id, Cmd::Depth0, 6)) {
        m_Doc.Settings().SearchClass = id - Cmd::Depth0;
    } else if (InRange(id, Cmd::FileHistory0, 5)) {
        OpenFileHistoryItem(m_Doc, static_cast<size_t>(id - Cmd::FileHistory0));
    } else if (InRange(id, Cmd::FolderHistory0, 5)) {
        OpenFolderHistoryItem(m_Doc, static_cast<size_t>(id - Cmd::FolderHistory0));
    } else {
        RunSimple(id);
    }
}

// One line per command: where it is carried out. The frame follows a mode switch (search
// bar, mode pane) when the new item count reaches it.
void CCommands::RunSimple(Cmd id) {
    DocSettings& settings = m_Doc.Settings();
    // clang-format off
    switch (id) {
    case Cmd::ClearList: m_Doc.OnNewDocument(); break;
    case Cmd::OpenFiles: OpenFiles(); break;
    case Cmd::InputItem: InputItem(); break;
    case Cmd::OpenFolder: OpenFolder(); break;
    case Cmd::AddFromFolder: AddFromFolder(); break;
    case Cmd::About: CAboutBox(&m_Frame).exec(); break;
    case Cmd::Save: SaveList(); break;
    case Cmd::SaveEachFolder: SaveEachFolder(); break;
    case Cmd::OpenAutoSaveList: OpenAutoSaveList(m_Doc); break;
    case Cmd::Exit: m_Frame.close(); break;
    case Cmd::Play: m_Frame.Playback().PlaySelected(m_View.SelectedRows()); break;
    case Cmd::Stop: m_Frame.Playback().StopPlayback(); break;
    case Cmd::PlaySingle: m_Frame.Playback().SetMode(PlayMode::Single); break;
    case Cmd::PlayContinuous: m_Frame.Playback().SetMode(PlayMode::Continuous); break;
    case Cmd::PlayRandom: m_Frame.Playback().SetMode(PlayMode::Random); break;
    case Cmd::GetTags: GetInfo(m_Doc, InfoScope::Selection); break;
    case Cmd::GetAllTags: GetInfo(m_Doc, InfoScope::All); break;
    case Cmd::GetSizes: GetSizes(m_Doc, InfoScope::Selection); break;
    case Cmd::GetAllSizes: GetSizes(m_Doc, InfoScope::All); break;
    case Cmd::ClearInfo: ClearSelectedInfo(m_Doc); break;
    case Cmd::SwapLists: SwapLists(); break;
    case Cmd::AddToOtherList: AddSelectionToOtherList(); break;
    case Cmd::MoveUp: MoveUp(); break;
    case Cmd::MoveDown: MoveDown(); break;
    case Cmd::SelectAll: m_View.selectAll(); break;
    case Cmd::InvertSelection: m_View.InvertSelection(); break;
    case Cmd::RemoveSelected: RemoveSelected(); break;
    case Cmd::ShuffleSelection: ShuffleSelection(); break;
    case Cmd::Shuffle: ShuffleAll(); break;
    case Cmd::DuplicateCheck: CheckDuplicates(); break;
    case Cmd::DuplicateList: ListDuplicates(); break;
    case Cmd::FullRowSelect: m_View.SetFullRowSelect(!m_View.FullRowSelect()); break;
    case Cmd::GridLines: m_View.setShowGrid(!m_View.showGrid()); break;
    case Cmd::HideAllBars: m_Frame.HideAllBars(); break;
    case Cmd::ColumnChooser: ChooseColumns(); break;
    case Cmd::DropWindow: m_Frame.ToggleDropWindow(); break;
    case Cmd::ExtendedSearch: ExtendedSearch(); break;
    case Cmd::ShowToolBar:
    case Cmd::ShowModeBar:
    case Cmd::ShowPlayBar:
    case Cmd::ShowSearchBar:
    case Cmd::ShowDataBar:
    case Cmd::ShowSizeBar:
    case Cmd::ShowStatusBar: ToggleBar(id); break;
    case Cmd::SizeKB: settings.SizeOf = SizeUnit::KB; m_View.Redraw(); break;
    case Cmd::SizeMB: settings.SizeOf = SizeUnit::MB; m_View.Redraw(); break;
    case Cmd::TimeClock: settings.TimeOf = TimeUnit::Clock; m_View.Redraw(); break;
    case Cmd::TimeSec: settings.TimeOf = TimeUnit::Seconds; m_View.Redraw(); break;
    case Cmd::TimeMin: settings.TimeOf = TimeUnit::Minutes; m_View.Redraw(); break;
    case Cmd::TagStandard: SetTagMode(TagMode::Standard); break;
    case Cmd::TagExtended: SetTagMode(TagMode::Extended); break;
    case Cmd::GetTagsAuto: GetInfo(m_Doc, InfoScope::SelectionOfMany); break;
    case Cmd::GetSizesAuto: GetSizes(m_Doc, InfoScope::SelectionOfMany); break;
    case Cmd::ToggleSearchMode: ToggleSearchMode(m_Doc); break;
    case Cmd::SearchNew: RunSearch(false); break;
    case Cmd::SearchNarrow: RunSearch(true); break;
    case Cmd::ReadTagsOnLoad: ToggleReadTagsOnLoad(m_Doc); break;
    case Cmd::ReadSizesOnLoad: ToggleReadSizesOnLoad(m_Doc); break;
    case Cmd::ExtensionSettings: EditExtensions(); break;
    case Cmd::IgnoreLeadingDigits: settings.DisNum = !settings.DisNum; break;
    case Cmd::NoExitConfirm: m_Frame.SetNoExitConfirm(!m_Frame.NoExitConfirm()); break;
    case Cmd::SaveOnExit: settings.CloseSave = !settings.CloseSave; break;
    case Cmd::NotifyTrack:
        m_Doc.Profile().SetInt(CTorvaneDoc::AppSection, CTrackNotifier::SettingKey,
                               NotifiesTracks() ? 0 : 1);
        break;
    case Cmd::English: ToggleEnglish(); break;
    case Cmd::ComputeTotals: m_View.ComputeTotals(); break;
    case Cmd::OpenItem:
    case Cmd::Trash:
    case Cmd::Properties:
    case Cmd::OpenParentFolder:
    case Cmd::CopyPath:
    case Cmd::CopyName: RunFileOperation(id); break;
    default: break;
    }
    // clang-format on
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
        facts.FirstSelectedExists = first && KindOf(first->FilePath()) != PathKind::Missing;
    }
    facts.SearchTextEmpty = m_Frame.SearchBar().Text().isEmpty();
    facts.Existence = m_Frame.SearchBar().Existence();
    facts.SearchListSize = static_cast<int>(m_Doc.SearchList().size());
    facts.AutoSaveListExists = AutoSaveListExists(m_Doc);
    facts.Playing = m_Frame.Playback().IsPlaying();
    return facts;
}

void CCommands::UpdateStates() {
    const CommandFacts facts = Facts();
    for (const CommandInfo& command : CommandTable())
        m_Actions[command.Id]->setEnabled(IsEnabledByRule(command.Id, facts));
    m_Actions[Cmd::ReadSizesOnLoad]->setEnabled(ReadSizesOnLoadEnabled(m_Doc));
    m_Actions[Cmd::AddToOtherList]->setText(m_Doc.SearchMode() ? tr("全リストに追加")
                                                               : tr("検索リストに追加"));
    UpdateChecks();
    UpdateHistoryMenus();
}

void CCommands::UpdateHistoryMenus() {
    for (CRecentList* history : {&m_Doc.FileHistory(), &m_Doc.FolderHistory()}) {
        QStringList captions;
        for (size_t i = 0; i < history->Entries().size(); ++i)
            captions << QString::fromStdString(history->MenuCaption(i));
        m_Frame.Menus().SetHistoryEntries(history == &m_Doc.FolderHistory(), captions);
    }
}

void CCommands::UpdateChecks() {
    const DocSettings& settings = m_Doc.Settings();
    const auto check = [this](Cmd id, bool on) { m_Actions[id]->setChecked(on); };
    check(Cmd::FullRowSelect, m_View.FullRowSelect());
    check(Cmd::GridLines, m_View.showGrid());
    for (int i = 0; i <= Cmd::ShowStatusBar - Cmd::ShowToolBar; ++i)
        check(Cmd::ShowToolBar + i, BarOf(Cmd::ShowToolBar + i)->isVisible());
    for (int key = 0; key < ColumnCount; ++key)
        check(Cmd::Column0 + key, m_View.IsColumnShown(key));
    check(settings.SizeOf == SizeUnit::MB ? Cmd::SizeMB : Cmd::SizeKB, true);
    check(Cmd::TimeClock, settings.TimeOf == TimeUnit::Clock);
    check(Cmd::TimeSec, settings.TimeOf == TimeUnit::Seconds);
    check(Cmd::TimeMin, settings.TimeOf == TimeUnit::Minutes);
    check(settings.TagOf == TagMode::Extended ? Cmd::TagExtended : Cmd::TagStandard, true);
    check(Cmd::DropWindow, m_Frame.DropWindow() != nullptr);
    const PlayMode playMode = m_Frame.Playback().Mode();
    check(Cmd::PlaySingle, playMode == PlayMode::Single);
    check(Cmd::PlayContinuous, playMode == PlayMode::Continuous);
    check(Cmd::PlayRandom, playMode == PlayMode::Random);
    check(Cmd::ToggleSearchMode, m_Doc.SearchMode());
    check(Cmd::ReadTagsOnLoad, (settings.readtag & DocSettings::ReadTags) != 0);
    check(Cmd::ReadSizesOnLoad, ReadSizesOnLoadChecked(m_Doc));
    for (int level = 0; level <= 5; ++level)
        check(Cmd::Depth0 + level, settings.SearchClass == level);
    check(Cmd::IgnoreLeadingDigits, settings.DisNum);
    check(Cmd::NoExitConfirm, m_Frame.NoExitConfirm());
    check(Cmd::SaveOnExit, settings.CloseSave);
    check(Cmd::NotifyTrack, NotifiesTracks());
    check(Cmd::English, m_Language == CInterfaceLanguage::English);
}

// ---- commands available now ----

QWidget* CCommands::BarOf(Cmd id) const {
    // clang-format off
    switch (id) {
    case Cmd::ShowToolBar: return &m_Frame.ToolBar();
    case Cmd::ShowModeBar: return &m_Frame.ModeBar();
    case Cmd::ShowPlayBar: return &m_Frame.PlayBar();
    case Cmd::ShowSearchBar: return &m_Frame.SearchBar();
    case Cmd::ShowDataBar: return &m_Frame.DataBar();
    case Cmd::ShowSizeBar: return &m_Frame.SizeBar();
    default: return m_Frame.statusBar();
    }
    // clang-format on
}

void CCommands::ToggleBar(Cmd id) {
    QWidget* bar = BarOf(id);
    bar->setVisible(!bar->isVisible());
}

void CCommands::SetTagMode(TagMode mode) {
    m_Doc.Settings().TagOf = mode;
    m_View.Redraw();
    const std::vector<int> rows = m_View.SelectedRows();
    if (rows.size() == 1)
        m_Frame.FillDataBar(m_View.Model().Record(rows.front()));
}

void CCommands::OpenFiles() {
    const QStringList chosen =
        QFileDialog::getOpenFileNames(&m_Frame, QString(), QString(), OpenFilesFilter());
    if (chosen.isEmpty())
        return;
    MakeCurrentFolderOf(chosen.front());
    std::vector<std::string> paths;
    for (const QString& name : chosen)
        for (std::string& path : PathsOfChosenName(name))
            paths.push_back(std::move(path));
    torvane::OpenFiles(m_Doc, paths);
}

void CCommands::OpenFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        &m_Frame, tr("フォルダを選択してください。"), QDir::currentPath());
    if (!folder.isEmpty())
        for (const std::string& path : PathsOfChosenName(folder))
            torvane::OpenFolder(m_Doc, path);
}

// Shown again with its text after a refusal, until a path is added or the user cancels.
void CCommands::InputItem() {
    CAddItemDialog dialog(&m_Frame);
    while (dialog.exec() == QDialog::Accepted)
        if (torvane::InputItem(m_Doc, dialog.PathBytes(), dialog.IgnoreExtension()))
            return;
}

void CCommands::SaveList() {
    SaveDialogStart start;
    start.Relative = m_Doc.Settings().relative;
    start.ExtendedM3U = m_Doc.Settings().ExtendedM3U;
    start.BasePath = InitialBasePath(m_Doc);
    start.Templates = ListTemplates(TemplateFolders());
    // Opens where the last save went, not where a file dialog of another command was left.
    start.Folder = m_LastSaveFolder.isEmpty() ? QDir::currentPath() : m_LastSaveFolder;
    CCustomSaveDialog dialog(start, &m_Frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SaveChoice choice = dialog.Choice();
    if (choice.Path.empty())
        return;
    m_LastSaveFolder = QFileInfo(dialog.selectedFiles().front()).absolutePath();
    MakeCurrentFolderOf(QString::fromStdString(choice.Path));
    torvane::SaveList(m_Doc, choice);
}

// Asks with the names of the playlists to be written; only the ticked ones are written.
void CCommands::SaveEachFolder() {
    FolderGroups groups = GroupByFolder(m_Doc.CurrentList());
    if (groups.Groups.empty())
        return;
    CFolderSaveDialog dialog(groups, &m_Frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.StoreTicks(groups);
    torvane::SaveEachFolder(m_Doc, groups, dialog.Options());
}

// The registry takes the rows over only when the dialog ends with its close button.
void CCommands::EditExtensions() {
    CExtensionDialog dialog(m_Doc.Extensions(), m_Host, &m_Frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_Doc.Extensions().ApplyExtensionDialog(dialog.Rows());
    m_View.Redraw();
}

// Whether the track notices are switched on in the profile.
bool CCommands::NotifiesTracks() const {
    return m_Doc.Profile().GetInt(CTorvaneDoc::AppSection, CTrackNotifier::SettingKey, 0) != 0;
}

// The interface is built once, so the stored choice waits for the next start. The check mark
// starts with the language of the window, whatever is stored (a run with another language asked
// for on the command line), and follows the choice made since.
void CCommands::ToggleEnglish() {
    m_Language = m_Language == CInterfaceLanguage::English ? CInterfaceLanguage::Japanese
                                                           : CInterfaceLanguage::English;
    CInterfaceLanguage::Store(m_Doc.Profile(), m_Language);
    m_Host.ShowMessage(MessageKind::Confirmation, MessageId::TakesEffectNextStart,
                       MessageButtons::Ok);
}

// ---- file operations ----

void CCommands::RunFileOperation(Cmd id) {
    const std::vector<int> rows = m_View.SelectedRows();
    switch (id) {
    case Cmd::OpenItem:
        OpenWithApp(m_Doc, *m_Desktop, rows);
        break;
    case Cmd::Trash:
        RecycleSelected(m_Doc, *m_Desktop, rows);
        RefreshList();
        break;
    case Cmd::Properties:
        ShowProperties(m_Doc, *m_Desktop, rows);
        break;
    case Cmd::OpenParentFolder:
        OpenContainingFolders(m_Doc, *m_Desktop, rows);
        break;
    case Cmd::CopyPath:
        CopyToClipboard(m_Doc, *m_Desktop, rows, ClipboardField::Path);
        break;
    default:
        CopyToClipboard(m_Doc, *m_Desktop, rows, ClipboardField::Name);
        break;
    }
}

// ---- list operations ----

void CCommands::ShowResult(const RowSelection& selection) {
    m_View.ApplySelection(selection);
    RefreshList();
}

// The selection marks belong to rows: a row that keeps its mark may hold another record now,
// so the selection texts are written again even when the marks did not change.
void CCommands::RefreshList() {
    m_Doc.UpdateItemCount();
    m_View.Redraw();
    m_View.UpdateSelectionTexts();
}

void CCommands::SortAll(int column, bool descending) {
    if (const std::optional<ColumnKey> key = ColumnKeyOf(column))
        torvane::SortAll(m_Doc, *key, descending);
    RefreshList();
}

void CCommands::SortSelection(ColumnKey key, bool descending) {
    ShowResult(torvane::SortSelection(m_Doc, m_View.SelectedRows(), key, descending));
}

void CCommands::MoveUp() {
    ShowResult(torvane::MoveUp(m_Doc, m_View.SelectedRows()));
}

void CCommands::MoveDown() {
    ShowResult(torvane::MoveDown(m_Doc, m_View.SelectedRows()));
}

void CCommands::RemoveSelected() {
    ShowResult(torvane::RemoveSelected(m_Doc, m_View.SelectedRows()));
}

void CCommands::ShuffleSelection() {
    ShowResult(torvane::ShuffleSelection(m_Doc, m_View.SelectedRows()));
}

void CCommands::ShuffleAll() {
    torvane::ShuffleAll(m_Doc);
    RefreshList();
}

void CCommands::SwapLists() {
    torvane::SwapLists(m_Doc);
    RefreshList();
}

// The other list is not shown, so only the command states change.
void CCommands::AddSelectionToOtherList() {
    torvane::AddSelectionToOtherList(m_Doc, m_View.SelectedRows());
}

void CCommands::CheckDuplicates() {
    RemoveDuplicates(m_Doc);
    RefreshList();
}

void CCommands::ListDuplicates() {
    torvane::ListDuplicates(m_Doc);
    RefreshList();
}

SearchRequest CCommands::BarRequest(bool narrow) const {
    const CSearchBar& bar = m_Frame.SearchBar();
    SearchRequest request;
    request.source = narrow ? SearchSource::SearchList : SearchSource::AllList;
    // Typed letters are lowered by the field; a text set otherwise is lowered here.
    SplitSearchTerms(request, bar.Text().toStdString());
    request.target = bar.Target();
    request.exclude = bar.Exclude();
    request.existence = bar.Existence();
    return request;
}

void CCommands::RunSearch(bool narrow) {
    torvane::RunSearch(m_Doc, BarRequest(narrow));
    RefreshList();
}

// ---- the search dialogs and the column chooser ----

void CCommands::AddFromFolder() {
    CFolderSearchDialog dialog(m_Host, m_Doc.IconMap(), &m_Frame);
    if (dialog.exec() == QDialog::Accepted)
        SearchFolder(m_Doc, dialog.Request(), dialog.Folder());
}

void CCommands::ExtendedSearch() {
    CExtSearchDialog dialog(m_Host, m_Doc.IconMap(), &m_Frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    torvane::RunSearch(m_Doc, dialog.Request());
    RefreshList();
}

// The widths of the shown columns are kept whether or not the dialog is accepted.
void CCommands::ChooseColumns() {
    m_View.RecordShownWidths();
    CColumnDialog dialog(m_View.ShownColumns(), m_Host, &m_Frame);
    if (dialog.exec() == QDialog::Accepted)
        m_View.ShowColumns(dialog.Result());
}

} // namespace torvane
