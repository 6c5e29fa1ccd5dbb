#include "gui/playback/MediaPlayer2.h"

#include "gui/i18n/Translate.h"
#include "gui/widgets/Icons.h"

#include "core/base/FileUri.h"
#include "core/base/Paths.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace torvane {

QString ClockText(qint64 milliseconds) {
    const qint64 seconds = std::max<qint64>(milliseconds, 0) / 1000;
    const auto two = [](qint64 value) {
        return QStringLiteral("%1").arg(value, 2, 10, QChar('0'));
    };
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(two(seconds / 60 % 60))
            .arg(two(seconds % 60));
    return two(seconds / 60) + QLatin1Char(':') + two(seconds % 60);
}

CMediaPlayer2::CMediaPlayer2(QWidget* parent)
    : QWidget(parent), m_PlayButton(new QToolButton), m_Time(new QLabel),
      m_Slider(new QSlider(Qt::Horizontal)) {
    setObjectName(QStringLiteral("MediaPlayer"));
    m_PlayButton->setAutoRaise(true);
    m_PlayButton->setToolTip(Tr(QT_TRANSLATE_NOOP("Torvane", "再生 / 一時停止")));
    m_PlayButton->setAccessibleName(m_PlayButton->toolTip());
    m_PlayButton->setEnabled(false);
    m_Time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_Slider->setEnabled(false);
    m_Slider->setToolTip(Tr(QT_TRANSLATE_NOOP("Torvane", "再生位置")));
    m_Slider->setAccessibleName(m_Slider->toolTip());

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_PlayButton);
    top->addWidget(m_Time, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_Slider);
    setFixedWidth(160);

    connect(m_PlayButton, &QToolButton::clicked, this, &CMediaPlayer2::TogglePause);
    connect(m_Slider, &QSlider::sliderMoved, this, [this](int position) {
        if (m_Player) {
            m_Player->setPosition(position);
            emit seeked(position);
        }
    });
    ShowPosition();
    ShowState();
}

CMediaPlayer2::~CMediaPlayer2() {
    if (m_Player)
        m_Player->stop();
}

void CMediaPlayer2::CreatePlayer() {
    m_Player = new QMediaPlayer(this);
    m_Output = new QAudioOutput(this);
    m_Output->setVolume(static_cast<float>(m_Volume));
    m_Player->setAudioOutput(m_Output);
    connect(m_Player, &QMediaPlayer::positionChanged, this, &CMediaPlayer2::ShowPosition);
    connect(m_Player, &QMediaPlayer::durationChanged, this, &CMediaPlayer2::ShowPosition);
    connect(m_Player, &QMediaPlayer::playbackStateChanged, this, &CMediaPlayer2::ShowState);
    connect(m_Player, &QMediaPlayer::mediaStatusChanged, this, &CMediaPlayer2::ShowState);
    connect(m_Player, &QMediaPlayer::seekableChanged, this, &CMediaPlayer2::ShowState);
}

std::string CMediaPlayer2::MissingToPlay(const std::string& path) {
    return m_Check.MissingToPlay(path);
}

void CMediaPlayer2::SetFileName(const std::string& path) {
    if (!m_Player)
        CreatePlayer();
    // The same file again starts over: the player keeps playing a source set a second time.
    m_Player->stop();
    // the URL from the path's bytes, percent-encoded, so a name that is not UTF-8 keeps them
    m_Player->setSource(path.empty() ? QUrl()
                                     : QUrl::fromEncoded(QByteArray::fromStdString(
                                           "file://" + PercentEncodePath(MakeAbsolute(path)))));
    ShowPosition();
    ShowState();
}

double CMediaPlayer2::CurrentPosition() const {
    if (!m_Player)
        return 0;
    const qint64 position = m_Player->mediaStatus() == QMediaPlayer::EndOfMedia
                                ? std::max(m_Player->duration(), m_Player->position())
                                : m_Player->position();
    return static_cast<double>(position) / 1000.0;
}

int CMediaPlayer2::OpenState() const {
    if (!m_Player || m_Player->source().isEmpty())
        return 0;
    const QMediaPlayer::MediaStatus status = m_Player->mediaStatus();
    return status == QMediaPlayer::NoMedia || status == QMediaPlayer::InvalidMedia ? 0 : 1;
}

int CMediaPlayer2::PlayState() const {
    if (!m_Player)
        return 0;
    switch (m_Player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return Playing;
    case QMediaPlayer::PausedState:
        return 1;
    default:
        return 0;
    }
}

void CMediaPlayer2::Play() {
    if (m_Player)
        m_Player->play();
}

void CMediaPlayer2::Stop() {
    if (m_Player)
        m_Player->stop();
}

void CMediaPlayer2::Pause() {
    if (m_Player && m_Player->playbackState() == QMediaPlayer::PlayingState)
        m_Player->pause();
}

bool CMediaPlayer2::CanSeek() const {
    return OpenState() != 0 && m_Player->isSeekable();
}

void CMediaPlayer2::Seek(double seconds) {
    if (!CanSeek())
        return;
    const auto position = static_cast<qint64>(std::max(seconds, 0.0) * 1000.0);
    m_Player->setPosition(position);
}

double CMediaPlayer2::Volume() const {
    return m_Output ? static_cast<double>(m_Output->volume()) : m_Volume;
}

void CMediaPlayer2::SetVolume(double volume) {
    m_Volume = std::clamp(volume, 0.0, 1.0);
    if (m_Output)
        m_Output->setVolume(static_cast<float>(m_Volume));
}

void CMediaPlayer2::TogglePause() {
    if (PlayState() == Playing)
        m_Player->pause();
    else
        Play();
}

QString CMediaPlayer2::TimeText() const {
    return m_Time->text();
}

void CMediaPlayer2::ShowPosition() {
    const qint64 position = m_Player ? m_Player->position() : 0;
    const qint64 duration = m_Player ? m_Player->duration() : 0;
    m_Time->setText(ClockText(position) + QStringLiteral(" / ") + ClockText(duration));
    if (!m_Slider->isSliderDown()) {
        const QSignalBlocker quiet(m_Slider);
        m_Slider->setRange(0, static_cast<int>(std::min<qint64>(duration, INT_MAX)));
        m_Slider->setValue(static_cast<int>(std::min<qint64>(position, INT_MAX)));
    }
}

void CMediaPlayer2::ShowState() {
    const bool open = OpenState() != 0;
    m_PlayButton->setEnabled(open);
    m_Slider->setEnabled(open && m_Player->isSeekable());
    m_PlayButton->setIcon(PlayState() == Playing
                              ? ThemeIcon("media-playback-pause", QStyle::SP_MediaPause)
                              : ThemeIcon("media-playback-start", QStyle::SP_MediaPlay));
    emit stateChanged();
}

} // namespace torvane
