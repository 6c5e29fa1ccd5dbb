#pragma once

#include "gui/playback/PlayableCheck.h"
#include "gui/playback/PlayerPort.h"

#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

namespace torvane {

// The player in the play bar: Qt Multimedia's player (the desktop's GStreamer backend) with a
// play/pause button, the elapsed and total time, and a position slider that seeks. The player
// itself comes up with the first file, so a window that never plays never loads the backend.
class CMediaPlayer2 final : public QWidget, public CPlayerPort {
    Q_OBJECT
public:
    explicit CMediaPlayer2(QWidget* parent = nullptr);
    ~CMediaPlayer2() override;

    // Asks GStreamer first, so that a missing plug-in is named instead of crashing or staying
    // silent.
    std::string MissingToPlay(const std::string& path) override;
    void SetFileName(const std::string& path) override;
    // At the end of the file the position stays at its end, even when the backend has rewound.
    double CurrentPosition() const override;
    int OpenState() const override;
    int PlayState() const override;
    void Play() override;
    void Stop() override;
    void Pause() override;
    bool CanSeek() const override;
    void Seek(double seconds) override;
    double Volume() const override;
    void SetVolume(double volume) override;

    QString TimeText() const;

signals:
    // The play state, the open file or whether it can be sought in has changed.
    void stateChanged();
    // The user moved the position slider to this many milliseconds.
    void seeked(qint64 milliseconds);

private:
    void CreatePlayer();
    void TogglePause();
    void ShowPosition();
    void ShowState();

    CPlayableCheck m_Check;
    QMediaPlayer* m_Player = nullptr;
    QAudioOutput* m_Output = nullptr;
    QToolButton* m_PlayButton;
    QLabel* m_Time;
    QSlider* m_Slider;
    // Kept for the player that comes up with the first file.
    double m_Volume = 1.0;
};

// "mm:ss" of a time in milliseconds, "h:mm:ss" from one hour on.
QString ClockText(qint64 milliseconds);

} // namespace torvane
