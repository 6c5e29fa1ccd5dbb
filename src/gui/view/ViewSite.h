#pragma once

#include <QIcon>
#include <QString>

#include <cstdint>

namespace torvane {

class CListData;

// What the list view needs of the window around it: the status bar's selection and count
// panes, the size bar and the data bar.
class CViewSite {
public:
    virtual ~CViewSite() = default;

    // Pane 1: "[%d] %s" of (index, text) when index > 0, else the text alone; with its tip and
    // the row's type icon (an empty icon shows none).
    virtual void SetSelectionText(int index, const QString& text, const QString& tip,
                                  const QIcon& icon) = 0;
    // Pane 3: " %d 件選択".
    virtual void SetSelectedCountText(const QString& text) = 0;
    // Pane 2: " %d 件".
    virtual void SetItemCountText(const QString& text) = 0;
    virtual bool IsSizeBarVisible() const = 0;
    virtual void ShowSizeTotals(uint64_t bytes, int64_t seconds) = 0;
    // The data bar shows this record, or nothing.
    virtual void FillDataBar(const CListData* record) = 0;
};

} // namespace torvane
