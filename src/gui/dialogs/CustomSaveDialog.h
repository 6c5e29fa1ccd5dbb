#pragma once

#include "core/save/PlaylistWriter.h"

#include <QFileDialog>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace torvane {

// What the save dialog starts with.
struct SaveDialogStart {
    bool Relative = false;
    bool ExtendedM3U = false;
    std::string BasePath;               // base folder of relative paths
    std::vector<std::string> Templates; // template file names, in the order offered
    QString Folder;                     // where the dialog opens; empty: where Qt left the last
};

// The save dialog of "保存(&S)": the file dialog with a panel below it for saving with relative
// paths from a base folder and for choosing the HTML template. Its file types come from one
// table, which also says which of the panel's choices apply to each.
class CCustomSaveDialog final : public QFileDialog {
    Q_OBJECT
public:
    CCustomSaveDialog(const SaveDialogStart& start, QWidget* parent = nullptr);

    // The chosen file with the panel's choices; meaningful after the dialog was accepted.
    SaveChoice Choice() const;

    // Asks for the base folder, starting in the given one; empty when the user cancels.
    // Replaceable for tests.
    std::function<QString(QWidget* parent, const QString& start)> ChooseFolder;

    QCheckBox* RelativeBox() const { return m_Relative; }
    QCheckBox* ExtendedBox() const { return m_Extended; }
    QLabel* BaseLabel() const { return m_BaseLabel; }
    QLineEdit* BaseField() const { return m_Base; }
    QPushButton* BrowseButton() const { return m_Browse; }
    QLabel* TemplateLabel() const { return m_TemplateLabel; }
    QComboBox* TemplateList() const { return m_Templates; }

private:
    QWidget* BuildPanel(const SaveDialogStart& start);
    // The label, edit and browse button of the base folder.
    std::array<QWidget*, 3> BaseControls() const;
    void ShowBaseControls(bool shown);
    void UseFormat(const QString& filter);
    void Browse();

    QCheckBox* m_Relative = nullptr;
    QCheckBox* m_Extended = nullptr;
    QLabel* m_BaseLabel = nullptr;
    QLineEdit* m_Base = nullptr;
    QPushButton* m_Browse = nullptr;
    QLabel* m_TemplateLabel = nullptr;
    QComboBox* m_Templates = nullptr;
};

} // namespace torvane
