#pragma once

#include <QAbstractTableModel>
#include <QColor>

class QMimeData;

namespace torvane {

class CIconList;
class CListData;
class CTorvaneDoc;

// The current list as a table of fifteen columns, one per column key. Holds no texts: every
// cell is read from its record when the view paints it. The row count is the one the document
// last gave the view, so a list growing during a long operation is not shown before it ends.
class CListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    CListModel(CTorvaneDoc& doc, const CIconList& icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows dragged out are files for other programs: file URIs of the exact path bytes
    // ("text/uri-list"), the paths one a line ("text/plain"), and a mark of this process.
    static constexpr const char* RowsMarkType = "application/x-torvane-rows";
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    // The text colours of missing and playing rows, readable on the list's background.
    void SetStateColours(const QColor& missing, const QColor& playing);
    QColor MissingColour() const { return m_Missing; }
    QColor PlayingColour() const { return m_Playing; }

    void SetRowCount(int count);
    // The record shown in row; none beyond the current list or for an empty slot.
    const CListData* Record(int row) const;
    // The column shown first carries the row icon.
    void SetIconColumn(int key) { m_IconColumn = key; }
    int IconColumn() const { return m_IconColumn; }

private:
    CTorvaneDoc& m_Doc;
    const CIconList& m_Icons;
    int m_RowCount = 0;
    int m_IconColumn = 0;
    QColor m_Missing{128, 128, 128};
    QColor m_Playing{0, 0, 255};
};

// Whether rows dragged out of a list of this very process are being dropped: the window
// does not take its own rows again.
bool IsOwnRowsDrag(const QMimeData& data);

} // namespace torvane
