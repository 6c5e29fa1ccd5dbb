#pragma once

#include "core/record/Columns.h"

#include <QDialog>

#include <array>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace torvane {

class CUiHost;

// "カラムの表示/非表示設定": the fifteen columns as a check list, the shown ones first in their
// order and ticked, then the hidden ones in key order. "↑" and "↓" move the selected entry and
// beep at the ends; the last ticked entry cannot be unticked.
class CColumnDialog final : public QDialog {
    Q_OBJECT
public:
    // For each place of the list, the key of a ticked entry or Unticked.
    using Order = std::array<int, ColumnCount>;
    static constexpr int Unticked = -1;

    CColumnDialog(const std::vector<int>& shownKeys, CUiHost& host, QWidget* parent = nullptr);

    // Valid once the dialog was accepted.
    const Order& Result() const { return m_Order; }

    QListWidget* List() const { return m_List; }
    QPushButton* UpButton() const { return m_Up; }
    QPushButton* DownButton() const { return m_Down; }

    void accept() override;

private:
    // Moves the selected entry by one place (-1 up, +1 down), beeping when it cannot go.
    void Move(int by);
    void KeepOneTicked(QListWidgetItem* changed);

    CUiHost& m_Host;
    QListWidget* m_List;
    QPushButton* m_Up;
    QPushButton* m_Down;
    Order m_Order;
};

// The entry texts of the column keys: "ファイルパス" .. "TAG-年".
QString ColumnEntryText(int key);

} // namespace torvane
