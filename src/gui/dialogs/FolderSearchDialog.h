#pragma once

#include "core/listops/SearchRequest.h"

#include <QDialog>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace torvane {

class CUiHost;

// "フォルダから検索して追加": the folder whose whole tree is searched and the conditions on the
// files to add (text on the path or the name, contains or not, extension, size in units of 1000
// bytes). Accepting refuses a folder that does not exist.
class CFolderSearchDialog final : public QDialog {
    Q_OBJECT
public:
    CFolderSearchDialog(CUiHost& host, const std::map<std::string, int>& iconMap,
                        QWidget* parent = nullptr);

    std::string Folder() const;
    // The conditions as the folder search takes them; valid once the dialog was accepted.
    const SearchRequest& Request() const { return m_Request; }

    QLineEdit* FolderField() const { return m_Folder; }
    QComboBox* TargetList() const { return m_Target; }
    QLineEdit* TextField() const { return m_Text; }
    QComboBox* ExcludeList() const { return m_Exclude; }
    QCheckBox* ExtensionCheck() const { return m_UseExtension; }
    QComboBox* ExtensionBox() const { return m_Extension; }
    QCheckBox* SizeCheck() const { return m_UseSize; }
    QLineEdit* SizeField() const { return m_Size; }
    QComboBox* SizeBoundList() const { return m_SizeAtMost; }
    QPushButton* SearchButton() const { return m_Search; }

    void accept() override;

private:
    void Browse();
    void UpdateEnabling();

    CUiHost& m_Host;
    QLineEdit* m_Folder;
    QComboBox* m_Target;
    QLineEdit* m_Text;
    QComboBox* m_Exclude;
    QCheckBox* m_UseExtension;
    QComboBox* m_Extension;
    QCheckBox* m_UseSize;
    QLineEdit* m_Size;
    QComboBox* m_SizeAtMost;
    QPushButton* m_Search;
    SearchRequest m_Request;
};

} // namespace torvane
