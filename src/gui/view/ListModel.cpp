#include "gui/view/ListModel.h"

#include "core/base/DisplayPath.h"
#include "core/doc/TorvaneDoc.h"
#include "gui/i18n/InterfaceLanguage.h"
#include "gui/widgets/IconList.h"

#include <QBrush>

namespace torvane {
namespace {

QVariant Alignment(const ColumnInfo& column) {
    return column.RightAligned ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

CListModel::CListModel(CTorvaneDoc& doc, const CIconList& icons, QObject* parent)
    : QAbstractTableModel(parent), m_Doc(doc), m_Icons(icons) {}

int CListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_RowCount;
}

int CListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const CListData* CListModel::Record(int row) const {
    const TrackList& list = m_Doc.CurrentList();
    if (row < 0 || static_cast<size_t>(row) >= list.size())
        return nullptr;
    return list[static_cast<size_t>(row)];
}

QVariant CListModel::data(const QModelIndex& index, int role) const {
    const CListData* record = Record(index.row());
    if (!record)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const std::optional<ColumnKey> column = ColumnKeyOf(index.column());
        if (!column)
            return {};
        const std::string text = ColumnText(*record, *column, m_Doc.Settings().Units());
        if (column == ColType)
            return TypeText(text);
        // a name's bytes are shown readably; the record keeps them for sorting and searching
        if (column == ColFilePath || column == ColFileName || column == ColExt)
            return QString::fromStdString(DisplayPath(text, m_Doc.Codec()));
        return QString::fromStdString(text);
    }
    case Qt::DecorationRole:
        if (index.column() == m_IconColumn)
            return m_Icons.At(record->IconIndex());
        return {};
    case Qt::TextAlignmentRole:
        return Alignment(ColumnTable()[static_cast<size_t>(index.column())]);
    case Qt::ForegroundRole:
        if (record->Has(CListData::Missing))
            return QBrush(QColor(128, 128, 128));
        if (record->Has(CListData::Playing))
            return QBrush(QColor(0, 0, 255));
        return {};
    default:
        return {};
    }
}

QVariant CListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    const ColumnInfo& column = ColumnTable()[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(column.Header);
    if (role == Qt::TextAlignmentRole)
        return Alignment(column);
    return {};
}

// Rows are added or dropped at the end: the selection of the remaining rows stays, as it does
// in a list of virtual rows; rows whose record changed are repainted by the view.
void CListModel::SetRowCount(int count) {
    count = std::max(count, 0);
    if (count > m_RowCount) {
        beginInsertRows({}, m_RowCount, count - 1);
        m_RowCount = count;
        endInsertRows();
    } else if (count < m_RowCount) {
        beginRemoveRows({}, count, m_RowCount - 1);
        m_RowCount = count;
        endRemoveRows();
    }
}

} // namespace torvane
