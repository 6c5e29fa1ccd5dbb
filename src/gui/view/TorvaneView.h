#pragma once

#include "core/doc/ListViewPort.h"
#include "core/listops/Selection.h"
#include "core/listops/Sorting.h"
#include "core/record/Columns.h"

#include <QTableView>

#include <array>
#include <span>
#include <string>
#include <vector>

class QMenu;

namespace torvane {

class CIconList;
class CListModel;
class CProfile;
class CRowDelegate;
class CTorvaneDoc;
class CViewSite;

// The one view of the document: the current list in up to fifteen columns, whose layout (which
// columns, their order and widths) lives in the profile. Keeps the selection, writes the
// selection texts of the status bar, computes the size-bar totals and keeps the direction
// flags of header-click sorting.
class CTorvaneView final : public QTableView, public CListViewPort {
    Q_OBJECT
public:
    static constexpr const char* DefaultColumns = "ABCD";

    // Reads the column widths, "calcauto", "columns" and "rowselect"; grid lines start on.
    CTorvaneView(CTorvaneDoc& doc, CProfile& profile, const CIconList& icons, CViewSite& site,
                 QWidget* parent = nullptr);
    ~CTorvaneView() override;

    // The document's port.
    int ItemCount() const override;
    void SetItemCount(int count) override;
    std::vector<int> SelectedRows() const override;
    void SelectRows(const std::vector<int>& rows) override;
    void SetFocusRow(int row) override;
    void EnsureVisible(int row) override;
    void Redraw() override;
    void SetItemCountText(const CMessage& text) override;
    void UpdateSelectionTexts() override;

    // Selects the rows an operation hands back, gives the focus and scrolls as it asks.
    void ApplySelection(const RowSelection& selection);
    // Flips the selection of every row and gives the first selected row the focus.
    void InvertSelection();
    // Totals of the selected rows (of all rows when none is selected) into the size bar, when
    // the size bar is visible.
    void ComputeTotals();
    bool IsColumnShown(int key) const;
    // Hides a shown column (beeping instead when it is the last one) or shows a hidden one after
    // the last column, with the width read at start.
    void ToggleColumn(int key);
    // The keys of the shown columns, left to right.
    std::vector<int> ShownColumns() const;
    // Keeps the present widths of the shown columns: a column shown later gets its last width.
    void RecordShownWidths();
    // Shows exactly the columns of these keys in this order (-1 entries skipped), each with its
    // recorded width; FilePath alone when none is named.
    void ShowColumns(std::span<const int> keys);

    // The direction of a sort by key (true: descending) from the flags that header clicks and
    // range sorts share, turned for the next sort.
    bool TakeSortDirection(ColumnKey key) { return m_SortFlags.Take(key); }

    bool FullRowSelect() const;
    void SetFullRowSelect(bool on);
    bool CalcAuto() const { return m_CalcAuto; }
    void SetCalcAuto(bool on) { m_CalcAuto = on; }

    void SetContextMenus(QMenu* headerMenu, QMenu* rowMenu);
    // The list menu opened from the keyboard (Shift+F10, the menu key): below the current row.
    void ShowRowMenuAtCurrent();
    // Writes "rowselect", the widths of the shown columns, "columns" and "calcauto".
    void SaveSettings();

    CListModel& Model() { return *m_Model; }

signals:
    void sortRequested(int key, bool descending);
    void playRequested();
    // The selection or the row count changed: command states need refreshing.
    void stateChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The width the column's common widest text needs in the view's font (0: no such text).
    int FittingWidth(int key) const;
    void ShowColumnLast(int key);
    void UpdateIconColumn();
    void OnHeaderClicked(int column);
    void OnSelectionChanged();
    // Missing and playing rows keep their colours where these read on the list's background.
    void UpdateStateColours();
    // The point below the current row where a menu opened from the keyboard goes.
    QPoint CurrentRowMenuPoint() const;

    CTorvaneDoc& m_Doc;
    CProfile& m_Profile;
    const CIconList& m_Icons;
    CViewSite& m_Site;
    CListModel* m_Model;
    CRowDelegate* m_Delegate;
    std::array<int, ColumnCount> m_Widths{};
    CSortFlags m_SortFlags;
    bool m_CalcAuto = false;
    QMenu* m_HeaderMenu = nullptr;
    QMenu* m_RowMenu = nullptr;
};

// The keys named by a "columns" text: one letter per column ('A' + key), unknown and repeated
// letters skipped; an empty text, or one naming no column, gives the default columns.
std::vector<int> ParseColumnLayout(const std::string& columns);

} // namespace torvane
