#pragma once

#include "gui/app/CommandTable.h"

#include "core/listops/SearchRequest.h"
#include "core/record/Columns.h"

#include <QObject>

#include <string>

class QWidget;

namespace torvane {

struct RowSelection;

class CActions;
class CMainFrame;
class CQtDesktop;
class CQtUiHost;
class CTorvaneDoc;
class CTorvaneView;

// What the enabling rules look at: the list, the selection and the search bar.
struct CommandFacts {
    int Rows = 0;
    int Selected = 0;
    bool FirstRowSelected = false;
    bool LastRowSelected = false;
    bool FirstSelectedExists = false; // the file of the first selected row exists
    bool SearchTextEmpty = true;
    FileExistence Existence = FileExistence::All; // the search bar's existence choice
    int SearchListSize = 0;
    bool AutoSaveListExists = false;
    bool Playing = false; // the player's play state is "playing"
};

// Whether a command may run in this state; commands without a rule always may.
bool IsEnabledByRule(Cmd id, const CommandFacts& facts);

// The one place where every command of the menus, bars and keys arrives (Run), and where the
// enabled, checked and caption states of all of them are refreshed (UpdateStates).
class CCommands final : public QObject {
    Q_OBJECT
public:
    CCommands(CMainFrame& frame, CTorvaneView& view, CTorvaneDoc& doc, CQtUiHost& host,
              const CActions& actions, QObject* parent = nullptr);

    void Run(Cmd id);
    void UpdateStates();
    CommandFacts Facts() const;

    // A header click.
    void SortAll(int column, bool descending);

signals:
    // Every command that ran, after it ran.
    void executed(Cmd id);

private:
    void Dispatch(Cmd id);
    void RunSimple(Cmd id);
    // Selects the rows an operation hands back, then refreshes the list as below.
    void ShowResult(const RowSelection& selection);
    // After the list changed: its row count and count pane, a repaint, the selection panes and
    // the data bar, and through them the command states.
    void RefreshList();
    // The request of the search bar: its text, target, contains and existence choices, read
    // from the all list or, narrowing, from the search list.
    SearchRequest BarRequest(bool narrow) const;
    void SetTagMode(TagMode mode);
    void OpenFiles();
    void OpenFolder();
    void InputItem();
    void AddFromFolder();
    void ExtendedSearch();
    void ChooseColumns();
    void SaveList();
    void SaveEachFolder();
    void EditExtensions();
    void ToggleEnglish();
    // "再生曲を通知": the profile's "app"/"Notify".
    bool NotifiesTracks() const;
    // Open, trash, properties, containing folders and the two copies, on the view's selection.
    void RunFileOperation(Cmd id);
    // The bar that one of ShowToolBar .. ShowStatusBar shows or hides.
    QWidget* BarOf(Cmd id) const;
    void ToggleBar(Cmd id);
    void UpdateChecks();
    void UpdateHistoryMenus();

    // The list operations on the view's selection.
    void SortSelection(ColumnKey key, bool descending);
    void MoveUp();
    void MoveDown();
    void RemoveSelected();
    void ShuffleSelection();
    void ShuffleAll();
    void SwapLists();
    void AddSelectionToOtherList();
    void CheckDuplicates();
    void ListDuplicates();
    void RunSearch(bool narrow);

    CMainFrame& m_Frame;
    CTorvaneView& m_View;
    CTorvaneDoc& m_Doc;
    CQtUiHost& m_Host;
    const CActions& m_Actions;
    CQtDesktop* m_Desktop; // the file operations' desktop, owned as a child
    // The folder of the last confirmed save, where the save dialog opens next.
    QString m_LastSaveFolder;
    // The language chosen with "English": the window's own until the item is used.
    std::string m_Language;
};

} // namespace torvane
