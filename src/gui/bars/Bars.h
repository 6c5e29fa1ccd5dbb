#pragma once

#include "core/listops/SearchRequest.h"

#include <QToolBar>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace torvane {

// "サーチ バー": the mode switch, target list, search text, contains and existence lists, and the
// buttons of a new and a narrowing search.
class CSearchBar final : public QToolBar {
    Q_OBJECT
public:
    CSearchBar(QAction* modeSwitch, QAction* search, QAction* narrow, QWidget* parent = nullptr);

    QLineEdit* TextField() const { return m_Text; }
    QString Text() const;
    // The lists' choices; their entries stand in the order of the enumerations.
    SearchTarget Target() const;
    TermCondition Exclude() const;
    FileExistence Existence() const;

signals:
    // The text or a list choice changed.
    void inputChanged();

private:
    QComboBox* m_Target;
    QLineEdit* m_Text;
    QComboBox* m_Exclude;
    QComboBox* m_Existence;
};

// "サイズ バー": "常に再計算", "算出" and the two totals.
class CSizeBar final : public QToolBar {
    Q_OBJECT
public:
    CSizeBar(QAction* compute, QWidget* parent = nullptr);

    QCheckBox* AlwaysBox() const { return m_Always; }
    void ShowTotals(uint64_t bytes, int64_t seconds);
    QString SizeText() const;
    QString TimeText() const;

private:
    QCheckBox* m_Always;
    QLineEdit* m_Size;
    QLineEdit* m_Time;
};

// "%s Mbyte" of the byte total, empty for none.
QString SizeTotalText(uint64_t bytes);
// "%d.%02d min" of the seconds, in hundredths of a minute (90 s: "1.50 min"), empty for none.
QString TimeTotalText(int64_t seconds);

} // namespace torvane
