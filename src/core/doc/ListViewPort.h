#pragma once

#include "core/doc/Message.h"

#include <vector>

namespace torvane {

// What the document needs of the list view. The GUI implements it; tests use a recording fake.
// Selection lives in the view: operations read the selected rows (ascending) and hand back the
// rows to select.
class CListViewPort {
public:
    virtual ~CListViewPort() = default;

    virtual int ItemCount() const = 0;
    virtual void SetItemCount(int count) = 0;
    virtual std::vector<int> SelectedRows() const = 0;
    // Replaces the selection.
    virtual void SelectRows(const std::vector<int>& rows) = 0;
    virtual void SetFocusRow(int row) = 0;
    virtual void EnsureVisible(int row) = 0;
    // Repaints the rows after a change that kept the count (sorting, new display units).
    virtual void Redraw() = 0;
    // The status bar's count pane (MessageId::ItemCount).
    virtual void SetItemCountText(const CMessage& text) = 0;
    // Refreshes the displays that depend on the selection.
    virtual void UpdateSelectionTexts() = 0;
};

} // namespace torvane
