#pragma once

#include <QToolBar>

#include <functional>
#include <utility>

class QMenu;
class QPushButton;
class QToolButton;

namespace torvane {

class CMediaPlayer2;
struct NowPlaying;

// "プレイ バー": the player, the up-down arrows that step to the previous or next track, and
// the flat buttons "option >" (the play modes) and "data >" (the facts of the playing track).
class CPlayBar final : public QToolBar {
    Q_OBJECT
public:
    explicit CPlayBar(QWidget* parent = nullptr);

    CMediaPlayer2& Player() const { return *m_Player; }
    QToolButton* UpButton() const { return m_Up; }
    QToolButton* DownButton() const { return m_Down; }
    QPushButton* OptionButton() const { return m_Option; }
    QPushButton* DataButton() const { return m_Data; }

    // The menu "option >" opens; the frame keeps its check marks.
    void SetModeMenu(QMenu* menu) { m_ModeMenu = menu; }
    // Where "data >" takes the texts of its menu from.
    void SetNowPlaying(std::function<const NowPlaying&()> source) {
        m_NowPlaying = std::move(source);
    }
    // The menu "data >" opens, made from the texts of the playing track; the caller owns it.
    QMenu* NewFactsMenu();

signals:
    // -1 from the up arrow, +1 from the down arrow.
    void stepRequested(int step);

private:
    // Opens a menu to the right of its button.
    static void PopUpBeside(QMenu* menu, QWidget* button);

    CMediaPlayer2* m_Player;
    QToolButton* m_Up;
    QToolButton* m_Down;
    QPushButton* m_Option;
    QPushButton* m_Data;
    QMenu* m_ModeMenu = nullptr;
    std::function<const NowPlaying&()> m_NowPlaying;
};

} // namespace torvane
