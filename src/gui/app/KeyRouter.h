#pragma once

#include <QObject>

namespace torvane {

class CMainFrame;

// Enter and Delete, seen before the focused control of the main window or one of its bars gets
// them (never those of a dialog): Enter in the search field runs a new search (and is
// consumed), Enter in the list plays the selected item and goes on to the list; Delete anywhere
// but in the search field removes the selected items.
class CKeyRouter final : public QObject {
    Q_OBJECT
public:
    explicit CKeyRouter(CMainFrame& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool BelongsToFrame(const QWidget* widget) const;

    CMainFrame& m_Frame;
};

} // namespace torvane
