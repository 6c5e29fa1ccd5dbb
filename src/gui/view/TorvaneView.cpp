#include "gui/view/TorvaneView.h"

#include "core/base/DisplayPath.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/settings/Profile.h"
#include "gui/i18n/InterfaceLanguage.h"
#include "gui/view/ListModel.h"
#include "gui/view/ViewSite.h"
#include "gui/widgets/Contrast.h"
#include "gui/widgets/IconList.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <numeric>

namespace torvane {

// Paints the selection over the whole row only with full-row selection on; otherwise only the
// first shown column (the one with the icon) is highlighted, while rows stay the unit of
// selection. The view then paints its row background with a clear highlight, and this column
// gets the real one. Tips show a cell's text only when it is cut.
class CRowDelegate final : public QStyledItemDelegate {
public:
    CRowDelegate(CListModel& model, QObject* parent)
        : QStyledItemDelegate(parent), m_Model(model) {}

    bool FullRow = true;
    QPalette RealPalette;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem copy = option;
        copy.state &= ~QStyle::State_HasFocus;
        if (!FullRow) {
            if (index.column() == m_Model.IconColumn())
                copy.palette = RealPalette;
            else
                copy.state &= ~QStyle::State_Selected;
        }
        QStyledItemDelegate::paint(painter, copy, index);
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QStyle* style = view->style();
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        if (item.text.isEmpty() ||
            item.fontMetrics.horizontalAdvance(item.text) + 2 * margin <= textRect.width()) {
            QToolTip::hideText();
            return true;
        }
        QToolTip::showText(event->globalPos(), item.text, view);
        return true;
    }

private:
    CListModel& m_Model;
};

namespace {

constexpr const char* AppSection = CTorvaneDoc::AppSection;

std::string WidthKey(int key) {
    return "column_" + std::to_string(key);
}

// The widest text a column commonly shows; its default width was chosen for it in another
// font, so the width grows to fit it where this platform's font is wider.
QString CommonWidestText(int key) {
    switch (key) {
    case ColSize:
        return QStringLiteral("99,999.9 kB");
    case ColTrackNum:
        return QStringLiteral("99");
    case ColTime:
        return QStringLiteral("00:00");
    case ColBitRate:
        return QStringLiteral("1411 kbit");
    case ColSamplingRate:
        return QStringLiteral("44100 Hz");
    case ColYear:
        return QStringLiteral("2000");
    default:
        return QString();
    }
}

// A width wider than a maximised window is a leftover of another screen; a negative one is
// damage.
int WidestColumn() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 4096;
}

} // namespace

std::vector<int> ParseColumnLayout(const std::string& columns) {
    std::vector<int> keys;
    std::array<bool, ColumnCount> used{};
    for (size_t i = 0; i < columns.size() && i < ColumnCount; ++i) {
        const int key = columns[i] - 'A';
        if (key < 0 || key >= ColumnCount || used[static_cast<size_t>(key)])
            continue;
        used[static_cast<size_t>(key)] = true;
        keys.push_back(key);
    }
    if (keys.empty() && columns != CTorvaneView::DefaultColumns)
        return ParseColumnLayout(CTorvaneView::DefaultColumns);
    return keys;
}

CTorvaneView::CTorvaneView(CTorvaneDoc& doc, CProfile& profile, const CIconList& icons,
                           CViewSite& site, QWidget* parent)
    : QTableView(parent), m_Doc(doc), m_Profile(profile), m_Icons(icons), m_Site(site),
      m_Model(new CListModel(doc, icons, this)), m_Delegate(new CRowDelegate(*m_Model, this)) {
    const int widest = WidestColumn();
    for (int key = 0; key < ColumnCount; ++key) {
        const int fallback =
            std::max(ColumnTable()[static_cast<size_t>(key)].DefaultWidth, FittingWidth(key));
        const int width = m_Profile.GetInt(AppSection, WidthKey(key), fallback);
        m_Widths[static_cast<size_t>(key)] = width < 0 || width > widest ? fallback : width;
    }
    m_CalcAuto = m_Profile.GetInt(AppSection, "calcauto", 0) != 0;

    setModel(m_Model);
    m_Delegate->RealPalette = palette();
    setItemDelegate(m_Delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setIconSize(QSize(14, 14));
    setShowGrid(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab leaves the list for the next control rather than walking its cells.
    setTabKeyNavigation(false);
    // Rows dragged out are files for file managers and players; the list takes no drops of its
    // own (files dropped on it reach the window).
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setAccessibleName(tr("全リスト"));
    UpdateStateColours();
    auto* menuKey = new QAction(this);
    menuKey->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    menuKey->setShortcutContext(Qt::WidgetShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, &CTorvaneView::ShowRowMenuAtCurrent);

    ShowColumns(ParseColumnLayout(m_Profile.GetString(AppSection, "columns", DefaultColumns)));
    SetFullRowSelect(m_Profile.GetInt(AppSection, "rowselect", 0) != 0);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CTorvaneView::OnHeaderClicked);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] { UpdateIconColumn(); });
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                if (m_HeaderMenu)
                    m_HeaderMenu->exec(horizontalHeader()->mapToGlobal(pos));
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CTorvaneView::OnSelectionChanged);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit playRequested(); });
}

CTorvaneView::~CTorvaneView() = default;

// ---- column layout ----

int CTorvaneView::FittingWidth(int key) const {
    const QString text = CommonWidestText(key);
    if (text.isEmpty())
        return 0;
    // The item's text margins on both sides and the grid line.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(text) + 2 * margin + 1;
}

void CTorvaneView::ShowColumns(std::span<const int> wanted) {
    std::vector<int> keys;
    for (const int key : wanted)
        if (key >= 0 && key < ColumnCount && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    if (keys.empty())
        keys.push_back(ColFilePath);
    QHeaderView* header = horizontalHeader();
    for (int key = 0; key < ColumnCount; ++key)
        header->setSectionHidden(key, std::find(keys.begin(), keys.end(), key) == keys.end());
    for (size_t position = 0; position < keys.size(); ++position) {
        const int key = keys[position];
        header->moveSection(header->visualIndex(key), static_cast<int>(position));
        header->resizeSection(key, m_Widths[static_cast<size_t>(key)]);
    }
    UpdateIconColumn();
}

void CTorvaneView::RecordShownWidths() {
    for (const int key : ShownColumns())
        m_Widths[static_cast<size_t>(key)] = horizontalHeader()->sectionSize(key);
}

std::vector<int> CTorvaneView::ShownColumns() const {
    const QHeaderView* header = horizontalHeader();
    std::vector<int> keys;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int key = header->logicalIndex(visual);
        if (!header->isSectionHidden(key))
            keys.push_back(key);
    }
    return keys;
}

bool CTorvaneView::IsColumnShown(int key) const {
    return key >= 0 && key < ColumnCount && !horizontalHeader()->isSectionHidden(key);
}

void CTorvaneView::ToggleColumn(int key) {
    if (key < 0 || key >= ColumnCount)
        return;
    if (!IsColumnShown(key)) {
        ShowColumnLast(key);
    } else if (ShownColumns().size() <= 1) {
        QApplication::beep();
    } else {
        horizontalHeader()->setSectionHidden(key, true);
        UpdateIconColumn();
    }
}

void CTorvaneView::ShowColumnLast(int key) {
    QHeaderView* header = horizontalHeader();
    header->moveSection(header->visualIndex(key), header->count() - 1);
    header->setSectionHidden(key, false);
    header->resizeSection(key, m_Widths[static_cast<size_t>(key)]);
    UpdateIconColumn();
}

// The first shown column always carries the row icon, also after a header drag.
void CTorvaneView::UpdateIconColumn() {
    const std::vector<int> shown = ShownColumns();
    m_Model->SetIconColumn(shown.empty() ? 0 : shown.front());
    viewport()->update();
}

void CTorvaneView::SaveSettings() {
    m_Profile.SetInt(AppSection, "rowselect", FullRowSelect() ? 1 : 0);
    std::string letters;
    for (const int key : ShownColumns()) {
        m_Profile.SetInt(AppSection, WidthKey(key), horizontalHeader()->sectionSize(key));
        letters += static_cast<char>('A' + key);
    }
    m_Profile.SetString(AppSection, "columns", letters);
    m_Profile.SetInt(AppSection, "calcauto", m_CalcAuto ? 1 : 0);
}

bool CTorvaneView::FullRowSelect() const {
    return m_Delegate->FullRow;
}

void CTorvaneView::SetFullRowSelect(bool on) {
    if (on == m_Delegate->FullRow)
        return;
    m_Delegate->FullRow = on;
    QPalette colours = m_Delegate->RealPalette;
    if (!on)
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            colours.setBrush(group, QPalette::Highlight, Qt::transparent);
    setPalette(colours);
    viewport()->update();
}

// ---- sorting ----

void CTorvaneView::OnHeaderClicked(int column) {
    const std::optional<ColumnKey> key = ColumnKeyOf(column);
    if (!key)
        return;
    const bool descending = TakeSortDirection(*key);
    emit sortRequested(*key, descending);
}

// ---- the document's port ----

int CTorvaneView::ItemCount() const {
    return m_Model->rowCount();
}

void CTorvaneView::SetItemCount(int count) {
    m_Model->SetRowCount(count);
    viewport()->update();
    emit stateChanged();
}

std::vector<int> CTorvaneView::SelectedRows() const {
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    std::vector<int> rows;
    int next = 0; // first row not yet taken
    for (const auto& [top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom && row < ItemCount(); ++row)
            rows.push_back(row);
        next = std::max(next, bottom + 1);
    }
    return rows;
}

void CTorvaneView::SelectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    const int lastColumn = ColumnCount - 1;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        if (rows[i] >= 0 && rows[j] < ItemCount())
            selection.select(m_Model->index(rows[i], 0), m_Model->index(rows[j], lastColumn));
        i = j + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CTorvaneView::SetFocusRow(int row) {
    if (row >= 0 && row < ItemCount())
        selectionModel()->setCurrentIndex(m_Model->index(row, m_Model->IconColumn()),
                                          QItemSelectionModel::NoUpdate);
}

void CTorvaneView::EnsureVisible(int row) {
    if (row >= 0 && row < ItemCount())
        scrollTo(m_Model->index(row, m_Model->IconColumn()));
}

void CTorvaneView::Redraw() {
    viewport()->update();
}

void CTorvaneView::SetItemCountText(const CMessage& text) {
    m_Site.SetItemCountText(MessageText(text));
    // a screen reader names the list it is in
    setAccessibleName(m_Doc.SearchMode() ? tr("検索リスト") : tr("全リスト"));
}

// ---- selection texts and totals ----

void CTorvaneView::UpdateSelectionTexts() {
    const std::vector<int> rows = SelectedRows();
    m_Site.SetSelectedCountText(tr(" %1 件選択").arg(rows.size()));
    if (rows.size() == 1) {
        const CListData* record = m_Model->Record(rows.front());
        if (record) {
            const QString path =
                QString::fromStdString(DisplayPath(record->FilePath(), m_Doc.Codec()));
            m_Site.SetSelectionText(rows.front() + 1, path, path, m_Icons.At(record->IconIndex()));
        }
        m_Site.FillDataBar(record);
    } else if (rows.empty()) {
        m_Site.SetSelectionText(-1, QString(), QString(), QIcon());
        m_Site.FillDataBar(nullptr);
    } else {
        m_Site.SetSelectionText(-1, tr("複数選択中"), QString(), m_Icons.At(0));
        m_Site.FillDataBar(nullptr);
    }
    emit stateChanged();
}

void CTorvaneView::ApplySelection(const RowSelection& selection) {
    SelectRows(selection.Rows);
    SetFocusRow(selection.Focus);
    EnsureVisible(selection.Visible);
}

void CTorvaneView::InvertSelection() {
    if (ItemCount() == 0)
        return;
    m_Doc.Host().SetWaitCursor(true);
    const QItemSelection all(m_Model->index(0, 0),
                             m_Model->index(ItemCount() - 1, ColumnCount - 1));
    selectionModel()->select(all, QItemSelectionModel::Toggle);
    const std::vector<int> rows = SelectedRows();
    if (!rows.empty())
        SetFocusRow(rows.front());
    Redraw();
    UpdateSelectionTexts();
    m_Doc.Host().SetWaitCursor(false);
}

void CTorvaneView::ComputeTotals() {
    if (!m_Site.IsSizeBarVisible())
        return;
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        rows.resize(static_cast<size_t>(ItemCount()));
        std::iota(rows.begin(), rows.end(), 0);
    }
    uint64_t bytes = 0;
    int64_t seconds = 0;
    for (const int row : rows) {
        if (const CListData* record = m_Model->Record(row)) {
            // An unavailable size (-1) adds nothing rather than taking a byte off.
            bytes += record->Size() > 0 ? static_cast<uint64_t>(record->Size()) : 0;
            seconds += record->Time();
        }
    }
    m_Site.ShowSizeTotals(bytes, seconds);
}

void CTorvaneView::OnSelectionChanged() {
    UpdateSelectionTexts();
    if (m_CalcAuto)
        ComputeTotals();
}

// ---- menus ----

void CTorvaneView::SetContextMenus(QMenu* headerMenu, QMenu* rowMenu) {
    m_HeaderMenu = headerMenu;
    m_RowMenu = rowMenu;
}

void CTorvaneView::contextMenuEvent(QContextMenuEvent* event) {
    if (m_RowMenu)
        m_RowMenu->exec(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                    : CurrentRowMenuPoint());
    event->accept();
}

void CTorvaneView::ShowRowMenuAtCurrent() {
    if (m_RowMenu)
        m_RowMenu->exec(CurrentRowMenuPoint());
}

QPoint CTorvaneView::CurrentRowMenuPoint() const {
    const QRect row = visualRect(currentIndex());
    if (row.isValid() && viewport()->rect().intersects(row))
        return viewport()->mapToGlobal(QPoint(viewport()->rect().left() + 8, row.bottom()));
    return viewport()->mapToGlobal(QPoint(8, 8));
}

// ---- colours and focus ----

void CTorvaneView::UpdateStateColours() {
    const QColor background = palette().color(QPalette::Active, QPalette::Base);
    m_Model->SetStateColours(ReadableOn(QColor(128, 128, 128), background),
                             ReadableOn(QColor(0, 0, 255), background));
}

void CTorvaneView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        UpdateStateColours();
        viewport()->update();
    }
}

// The cells draw no focus of their own: the current row gets one frame over all its shown
// columns while the list has the focus.
void CTorvaneView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    const std::vector<int> shown = ShownColumns();
    if (shown.empty())
        return;
    const QRect first = visualRect(m_Model->index(current.row(), shown.front()));
    const QRect last = visualRect(m_Model->index(current.row(), shown.back()));
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = first.united(last).adjusted(0, 0, -1, -1);
    frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    frame.backgroundColor = palette().color(QPalette::Base);
    QStylePainter painter(viewport());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace torvane
