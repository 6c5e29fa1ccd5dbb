#include "gui/view/ListModel.h"

#include "core/base/DisplayPath.h"
#include "core/base/FileUri.h"
#include "core/doc/TorvaneDoc.h"
#include "gui/i18n/InterfaceLanguage.h"
#include "gui/widgets/IconList.h"

#include <QBrush>
#include <QCoreApplication>
#include <QMimeData>

#include <set>

namespace torvane {
namespace {

QByteArray ProcessMark() {
    return QByteArray::number(QCoreApplication::applicationPid());
}

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
            return QBrush(m_Missing);
        if (record->Has(CListData::Playing))
            return QBrush(m_Playing);
        return {};
    case Qt::AccessibleTextRole:
        // the first shown cell of a row says its state along with its text
        if (index.column() == m_IconColumn &&
            (record->Has(CListData::Missing) || record->Has(CListData::Playing)))
            return tr("%1 (%2)").arg(data(index, Qt::DisplayRole).toString(),
                                     data(index, Qt::AccessibleDescriptionRole).toString());
        return {};
    case Qt::AccessibleDescriptionRole:
        // what the colour shows, said in words to a screen reader
        if (record->Has(CListData::Missing))
            return tr("ファイルがありません");
        if (record->Has(CListData::Playing))
            return tr("再生中");
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

Qt::ItemFlags CListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (Record(index.row()))
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList CListModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain"),
            QString::fromLatin1(RowsMarkType)};
}

// The URIs are written from the path bytes: a QUrl made from a path that is not UTF-8 would
// not give those bytes back.
QMimeData* CListModel::mimeData(const QModelIndexList& indexes) const {
    std::set<int> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid())
            rows.insert(index.row());
    QByteArray uris;
    QByteArray paths;
    for (const int row : rows) {
        const CListData* record = Record(row);
        if (!record || record->FilePath().empty() || record->FilePath().front() != '/')
            continue;
        uris += QByteArray::fromStdString(LocationOfPath(record->FilePath())) + "\r\n";
        if (!paths.isEmpty())
            paths += '\n';
        paths += QByteArray::fromStdString(record->FilePath());
    }
    if (uris.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/uri-list"), uris);
    data->setData(QStringLiteral("text/plain"), paths);
    data->setData(QString::fromLatin1(RowsMarkType), ProcessMark());
    return data;
}

Qt::DropActions CListModel::supportedDragActions() const {
    return Qt::CopyAction;
}

void CListModel::SetStateColours(const QColor& missing, const QColor& playing) {
    m_Missing = missing;
    m_Playing = playing;
}

bool IsOwnRowsDrag(const QMimeData& data) {
    return data.hasFormat(QString::fromLatin1(CListModel::RowsMarkType)) &&
           data.data(QString::fromLatin1(CListModel::RowsMarkType)) == ProcessMark();
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
