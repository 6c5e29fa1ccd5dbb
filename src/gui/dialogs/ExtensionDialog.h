#pragma once

#include "core/settings/ExtRegistry.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace torvane {

class CUiHost;

// "拡張子設定": edits its own copy of the registry's rows (extension, opening application,
// enabled). The rows go to the registry only when the dialog ends with "閉じる"; Escape and the
// close box keep the registry as it was.
class CExtensionDialog final : public QDialog {
    Q_OBJECT
public:
    CExtensionDialog(const CExtRegistry& registry, CUiHost& host, QWidget* parent = nullptr);

    // Every row, top to bottom, as the registry takes them over.
    std::vector<ExtDialogRow> Rows() const;

    // Asks for an application file; empty when the user cancels. Replaceable for tests.
    std::function<QString(QWidget* parent)> ChooseApplication;

    QTreeWidget* List() const { return m_List; }
    QLineEdit* ExtensionField() const { return m_Extension; }
    QLineEdit* ApplicationField() const { return m_Application; }
    QCheckBox* EnabledBox() const { return m_Enabled; }
    QPushButton* BrowseButton() const { return m_Browse; }
    QPushButton* RegisterButton() const { return m_Register; }
    QPushButton* DeleteButton() const { return m_Delete; }
    QPushButton* CloseButton() const { return m_Close; }

protected:
    // Enter in the extension field registers what was typed; elsewhere it closes the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddRow(const QString& ext, const QString& app, bool checked);
    QTreeWidgetItem* SelectedRow() const;
    QTreeWidgetItem* FindRow(const QString& ext) const;
    void ShowSelectedRow();
    void SelectApplicationText();
    void Browse();
    void Register();
    void DeleteRow();

    CUiHost& m_Host;
    QTreeWidget* m_List;
    QLineEdit* m_Extension;
    QLineEdit* m_Application;
    QPushButton* m_Browse;
    QCheckBox* m_Enabled;
    QPushButton* m_Register;
    QPushButton* m_Delete;
    QPushButton* m_Close;
};

// mp3, wma and ogg (any case): their rows can be edited but neither renamed nor deleted.
bool IsProtectedExtension(const QString& ext);

} // namespace torvane
