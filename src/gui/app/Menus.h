#pragma once

#include "gui/app/CommandTable.h"

#include <QList>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace torvane {

class CActions;

// The menu bar, its submenus and the pop-up menus: the list's "操作(&E)" menu, the column
// menu of the header, the tool bar drop-downs, the play modes and the bars' "ツールバー" menu.
class CMenus {
public:
    CMenus(QMenuBar* bar, const CActions& actions, QWidget* parent);

    QMenu* Columns() const { return m_Columns; }
    QMenu* ListContext() const { return m_ListContext; }
    QMenu* Toolbars() const { return m_Toolbars; }
    QMenu* FileHistory() const { return m_FileHistory; }
    QMenu* FolderHistory() const { return m_FolderHistory; }
    QMenu* SaveMenu() const { return m_Save; }
    // The play bar's "option >" menu.
    QMenu* PlayModes() const { return m_PlayModes; }
    // Every menu and submenu, so their states can be refreshed before they show.
    const QList<QMenu*>& All() const { return m_All; }

    // A new menu with the items of "ツールバー", for the bars' context menu; the caller owns it.
    QMenu* NewToolbarsMenu(QWidget* parent) const;

    // Shows the entries of a history, given as their menu captions, in place of "なし", which
    // shows, disabled, when there are none.
    void SetHistoryEntries(bool folders, const QStringList& captions);
    QAction* NoFileHistory() const { return m_NoFiles; }

private:
    QMenu* NewMenu(const char* title, QWidget* parent);
    void Fill(QMenu* menu, std::initializer_list<Cmd> items) const;

    const CActions& m_Actions;
    QList<QMenu*> m_All;
    QMenu* m_Columns = nullptr;
    QMenu* m_ListContext = nullptr;
    QMenu* m_Toolbars = nullptr;
    QMenu* m_FileHistory = nullptr;
    QMenu* m_FolderHistory = nullptr;
    QMenu* m_Save = nullptr;
    QMenu* m_PlayModes = nullptr;
    QAction* m_NoFiles = nullptr;
    QAction* m_NoFolders = nullptr;
};

} // namespace torvane
