#pragma once

#include "core/record/DisplayChoice.h"

#include <QDockWidget>

#include <array>

class QAction;
class QCheckBox;
class QLineEdit;
class QToolButton;

namespace torvane {

class CListData;
class CTextCodec;

// The data bar: every stored fact of one record in read-only fields, "データ固定" that keeps the
// record shown, and the buttons "Copy", "Play" and "Open", which run their commands on the list's
// selection (not on the record shown). Its title is the shown record's file name.
class CDataBar final : public QDockWidget {
    Q_OBJECT
public:
    enum Field { Path, Name, Title, Artist, Album, Comment, Type, Time, Size, Rate, FieldCount };

    // The buttons trigger these actions and are enabled while they are.
    CDataBar(QAction* copyPath, QAction* play, QAction* openFolder, QWidget* parent = nullptr);

    // Shows the record's texts with the tags of the display mode, or nothing; while fixed,
    // nothing changes.
    void Fill(const CListData* record, TagMode tagMode, const CTextCodec& codec);
    bool Fixed() const;

    QString Text(Field field) const;
    QCheckBox* FixBox() const { return m_Fix; }
    QToolButton* CopyButton() const { return m_Copy; }
    QToolButton* PlayButton() const { return m_Play; }
    QToolButton* OpenButton() const { return m_Open; }

private:
    QWidget* MakeButtonRow(QAction* copyPath, QAction* play, QAction* openFolder);
    QWidget* MakeFactsGroup();

    std::array<QLineEdit*, FieldCount> m_Fields{};
    QCheckBox* m_Fix = nullptr;
    QToolButton* m_Copy = nullptr;
    QToolButton* m_Play = nullptr;
    QToolButton* m_Open = nullptr;
};

} // namespace torvane
