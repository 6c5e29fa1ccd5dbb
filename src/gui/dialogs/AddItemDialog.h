#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QMimeData;
class QLineEdit;
class QPushButton;

namespace torvane {

// "アイテムの追加": one path typed, browsed for or dropped, and whether to skip the extension
// check. The contents stay when the dialog is shown again.
class CAddItemDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CAddItemDialog(QWidget* parent = nullptr);

    QString Path() const;
    // The path to add as bytes: a dropped file's own bytes while the field still shows it,
    // else the text typed or browsed for.
    std::string PathBytes() const;
    bool IgnoreExtension() const;
    QLineEdit* PathField() const { return m_Path; }
    QPushButton* AddButton() const { return m_Add; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Files dropped on the path field are taken as on the rest of the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Browse();
    // Puts the first dropped path into the field; false when the drop names no local file.
    bool TakeDrop(const QMimeData& data);

    QCheckBox* m_IgnoreExtension;
    QLineEdit* m_Path;
    QPushButton* m_Add;
    // The last dropped path and the text shown for it.
    std::string m_Dropped;
    QString m_DroppedText;
};

// The filter of the dialogs that open audio and list files.
QString OpenFilesFilter();

// A file chosen in a file dialog makes its folder the current one: relative entries of list
// files opened later are found from there.
void MakeCurrentFolderOf(const QString& path);

} // namespace torvane
