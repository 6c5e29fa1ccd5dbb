#pragma once

#include "core/save/FolderSaver.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace torvane {

// "確認" of "フォルダ毎に保存": the playlists to be written, one ticked row each, whether
// they hold full paths, and where the list of the playlists goes.
class CFolderSaveDialog final : public QDialog {
    Q_OBJECT
public:
    CFolderSaveDialog(const FolderGroups& groups, QWidget* parent = nullptr);

    // The rows' ticks into their groups: unticked groups are not written.
    void StoreTicks(FolderGroups& groups) const;
    FolderSaveOptions Options() const;

    // Asks where the list of the playlists goes; empty when the user cancels. Replaceable for
    // tests.
    std::function<QString(QWidget* parent)> ChooseIndexFile;

    QTreeWidget* List() const { return m_List; }
    QPushButton* SelectAllButton() const { return m_SelectAll; }
    QPushButton* DeselectButton() const { return m_Deselect; }
    QCheckBox* FullPathsBox() const { return m_FullPaths; }
    QCheckBox* IndexBox() const { return m_MakeIndex; }
    QLineEdit* IndexField() const { return m_Index; }
    QPushButton* BrowseButton() const { return m_Browse; }
    QPushButton* OkButton() const { return m_Ok; }

private:
    void TickAll(bool ticked);
    void EnableIndex(bool on);
    void Browse();

    QTreeWidget* m_List;
    QPushButton* m_SelectAll;
    QPushButton* m_Deselect;
    QCheckBox* m_FullPaths;
    QCheckBox* m_MakeIndex;
    QLineEdit* m_Index;
    QPushButton* m_Browse;
    QPushButton* m_Ok;
};

} // namespace torvane
