#include "gui/app/Menus.h"

#include "gui/app/Actions.h"
#include "gui/i18n/Translate.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace torvane {
namespace {

// Marks a separator in a list of items.
constexpr Cmd Sep = Cmd::Count;

QAction* AddPlaceholder(QMenu* menu) {
    QAction* none = menu->addAction(Tr(QT_TRANSLATE_NOOP("Torvane", "なし")));
    none->setEnabled(false);
    return none;
}

} // namespace

QMenu* CMenus::NewMenu(const char* title, QWidget* parent) {
    auto* menu = new QMenu(Tr(title), parent);
    m_All.append(menu);
    return menu;
}

void CMenus::Fill(QMenu* menu, std::initializer_list<Cmd> items) const {
    for (const Cmd id : items) {
        if (id == Sep)
            menu->addSeparator();
        else
            menu->addAction(m_Actions[id]);
    }
}

CMenus::CMenus(QMenuBar* bar, const CActions& actions, QWidget* parent) : m_Actions(actions) {
    // Submenus shared by the menu bar and the pop-up menus.
    m_FileHistory = NewMenu(QT_TRANSLATE_NOOP("Torvane", "過去に開いたファイル"), parent);
    Fill(m_FileHistory, {Cmd::OpenAutoSaveList, Sep});
    m_NoFiles = AddPlaceholder(m_FileHistory);
    m_FolderHistory = NewMenu(QT_TRANSLATE_NOOP("Torvane", "過去に開いたフォルダ"), parent);
    m_FolderHistory->addSeparator();
    m_NoFolders = AddPlaceholder(m_FolderHistory);
    for (int k = 0; k < 5; ++k) {
        m_FileHistory->addAction(actions[Cmd::FileHistory0 + k]);
        m_FolderHistory->addAction(actions[Cmd::FolderHistory0 + k]);
        actions[Cmd::FileHistory0 + k]->setVisible(false);
        actions[Cmd::FolderHistory0 + k]->setVisible(false);
    }
    m_Save = NewMenu(QT_TRANSLATE_NOOP("Torvane", "save"), parent);
    Fill(m_Save, {Cmd::Save, Cmd::SaveEachFolder});

    QMenu* info = NewMenu(QT_TRANSLATE_NOOP("Torvane", "情報の取得"), parent);
    Fill(info,
         {Cmd::GetTags, Cmd::GetAllTags, Cmd::GetSizes, Cmd::GetAllSizes, Sep, Cmd::ClearInfo});
    QMenu* fileOps = NewMenu(QT_TRANSLATE_NOOP("Torvane", "ファイル操作"), parent);
    Fill(fileOps, {Cmd::Trash});
    QMenu* sort = NewMenu(QT_TRANSLATE_NOOP("Torvane", "選択範囲をソート(&S)"), parent);
    for (const int key : SortMenuKeys())
        sort->addAction(actions[Cmd::SortSelection0 + key]);
    Fill(sort, {Sep, Cmd::ShuffleSelection});
    m_Toolbars = NewMenu(QT_TRANSLATE_NOOP("Torvane", "ツールバー"), parent);
    Fill(m_Toolbars,
         {Cmd::HideAllBars, Sep, Cmd::ShowToolBar, Cmd::ShowModeBar, Cmd::ShowPlayBar,
          Cmd::ShowSearchBar, Cmd::ShowDataBar, Cmd::ShowSizeBar, Sep, Cmd::ShowStatusBar});
    m_Columns = NewMenu(QT_TRANSLATE_NOOP("Torvane", "カラム"), parent);
    for (const int key : ColumnMenuKeys())
        m_Columns->addAction(actions[Cmd::Column0 + key]);
    Fill(m_Columns, {Sep, Cmd::ColumnChooser});
    QMenu* sizeUnit = NewMenu(QT_TRANSLATE_NOOP("Torvane", "容量の単位"), parent);
    Fill(sizeUnit, {Cmd::SizeKB, Cmd::SizeMB});
    QMenu* timeUnit = NewMenu(QT_TRANSLATE_NOOP("Torvane", "時間の単位"), parent);
    Fill(timeUnit, {Cmd::TimeSec, Cmd::TimeMin, Cmd::TimeClock});
    QMenu* tag = NewMenu(QT_TRANSLATE_NOOP("Torvane", "タグ"), parent);
    Fill(tag, {Cmd::TagStandard, Cmd::TagExtended});
    QMenu* depth = NewMenu(QT_TRANSLATE_NOOP("Torvane", "フォルダ検索する階層"), parent);
    for (int level = 0; level <= 5; ++level)
        depth->addAction(actions[Cmd::Depth0 + level]);

    QMenu* file = NewMenu(QT_TRANSLATE_NOOP("Torvane", "ﾌｧｲﾙ(&F)"), parent);
    Fill(file, {Cmd::ClearList, Sep, Cmd::OpenFiles, Cmd::InputItem, Cmd::OpenFolder,
                Cmd::AddFromFolder, Cmd::Save, Cmd::SaveEachFolder, Sep});
    file->addMenu(m_FileHistory);
    file->addMenu(m_FolderHistory);
    Fill(file, {Sep, Cmd::About, Sep, Cmd::Exit});

    QMenu* edit = NewMenu(QT_TRANSLATE_NOOP("Torvane", "操作(&E)"), parent);
    Fill(edit, {Cmd::OpenItem, Cmd::Play, Cmd::Stop, Sep});
    edit->addMenu(info);
    Fill(edit, {Sep, Cmd::CopyPath, Cmd::CopyName, Sep});
    edit->addMenu(fileOps);
    Fill(edit, {Cmd::OpenParentFolder, Cmd::Properties});

    QMenu* list = NewMenu(QT_TRANSLATE_NOOP("Torvane", "リスト操作"), parent);
    Fill(list, {Cmd::SwapLists, Cmd::AddToOtherList, Sep, Cmd::MoveUp, Cmd::MoveDown, Sep,
                Cmd::SelectAll, Cmd::InvertSelection, Cmd::RemoveSelected, Sep});
    list->addMenu(sort);
    Fill(list, {Cmd::Shuffle, Sep, Cmd::DuplicateCheck, Cmd::DuplicateList});

    QMenu* view = NewMenu(QT_TRANSLATE_NOOP("Torvane", "表示(&V)"), parent);
    Fill(view, {Cmd::FullRowSelect, Cmd::GridLines, Sep});
    view->addMenu(m_Toolbars);
    view->addMenu(m_Columns);
    view->addSeparator();
    view->addMenu(sizeUnit);
    view->addMenu(timeUnit);
    view->addMenu(tag);
    Fill(view, {Sep, Cmd::DropWindow});

    QMenu* search = NewMenu(QT_TRANSLATE_NOOP("Torvane", "検索(&S)"), parent);
    Fill(search, {Cmd::ToggleSearchMode, Cmd::ExtendedSearch});

    QMenu* settings = NewMenu(QT_TRANSLATE_NOOP("Torvane", "設定(&S)"), parent);
    Fill(settings, {Cmd::ReadTagsOnLoad, Cmd::ReadSizesOnLoad, Sep, Cmd::ExtensionSettings});
    settings->addMenu(depth);
    Fill(settings, {Sep, Cmd::IgnoreLeadingDigits, Sep, Cmd::NoExitConfirm, Cmd::SaveOnExit,
                    Cmd::NotifyTrack, Sep, Cmd::English});

    for (QMenu* menu : {file, edit, list, view, search, settings})
        bar->addMenu(menu);

    m_ListContext = NewMenu(QT_TRANSLATE_NOOP("Torvane", "操作(&E)"), parent);
    Fill(m_ListContext, {Cmd::OpenItem, Cmd::Play, Sep, Cmd::SelectAll, Sep, Cmd::AddToOtherList,
                         Cmd::RemoveSelected, Cmd::CopyPath, Sep, Cmd::GetTags, Cmd::GetSizes,
                         Cmd::ClearInfo, Sep});
    m_ListContext->addMenu(sort);
    m_ListContext->addSeparator();
    m_ListContext->addMenu(fileOps);
    Fill(m_ListContext, {Cmd::OpenParentFolder, Cmd::Properties});

    m_PlayModes = NewMenu(QT_TRANSLATE_NOOP("Torvane", "playbar"), parent);
    Fill(m_PlayModes, {Cmd::PlaySingle, Cmd::PlayContinuous, Cmd::PlayRandom});
}

QMenu* CMenus::NewToolbarsMenu(QWidget* parent) const {
    auto* menu = new QMenu(parent);
    menu->addActions(m_Toolbars->actions());
    return menu;
}

void CMenus::SetHistoryEntries(bool folders, const QStringList& captions) {
    const Cmd first = folders ? Cmd::FolderHistory0 : Cmd::FileHistory0;
    for (int k = 0; k < 5; ++k) {
        QAction* entry = m_Actions[first + k];
        entry->setVisible(k < captions.size());
        if (k < captions.size())
            entry->setText(captions[k]);
    }
    (folders ? m_NoFolders : m_NoFiles)->setVisible(captions.isEmpty());
}

} // namespace torvane
