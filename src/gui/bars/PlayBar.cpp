#include "gui/bars/PlayBar.h"

#include "gui/i18n/Translate.h"
#include "gui/playback/MediaPlayer2.h"

#include "core/commands/PlayRules.h"

#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvane {
namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, const char* tip) {
    auto* button = new QToolButton;
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(Tr(tip));
    button->setAccessibleName(button->toolTip());
    button->setFixedSize(18, 19);
    return button;
}

// A flat button with its caption at the right.
QPushButton* MakeFlatButton(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("text-align: right; padding: 1px 4px;"));
    button->setMinimumWidth(56);
    return button;
}

// Two controls one above the other.
QWidget* Column(QWidget* upper, QWidget* lower) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(upper);
    layout->addWidget(lower);
    return column;
}

} // namespace

CPlayBar::CPlayBar(QWidget* parent)
    : QToolBar(Tr(QT_TRANSLATE_NOOP("Torvane", "プレイ バー")), parent),
      m_Player(new CMediaPlayer2),
      m_Up(MakeArrow(Qt::UpArrow, QT_TRANSLATE_NOOP("Torvane", "前の曲"))),
      m_Down(MakeArrow(Qt::DownArrow, QT_TRANSLATE_NOOP("Torvane", "次の曲"))),
      m_Option(MakeFlatButton(QStringLiteral("option >"))),
      m_Data(MakeFlatButton(QStringLiteral("data >"))) {
    setObjectName(QStringLiteral("PlayBar"));
    addWidget(m_Player);
    addWidget(Column(m_Up, m_Down));
    addWidget(Column(m_Option, m_Data));

    connect(m_Up, &QToolButton::clicked, this, [this] { emit stepRequested(-1); });
    connect(m_Down, &QToolButton::clicked, this, [this] { emit stepRequested(+1); });
    connect(m_Option, &QPushButton::clicked, this, [this] {
        if (m_ModeMenu)
            PopUpBeside(m_ModeMenu, m_Option);
    });
    connect(m_Data, &QPushButton::clicked, this, [this] {
        QMenu* menu = NewFactsMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        PopUpBeside(menu, m_Data);
    });
}

void CPlayBar::PopUpBeside(QMenu* menu, QWidget* button) {
    menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

// The entries carry no command: choosing one does nothing.
QMenu* CPlayBar::NewFactsMenu() {
    auto* menu = new QMenu(this);
    const NowPlaying none;
    for (const std::string& entry : NowPlayingMenu(m_NowPlaying ? m_NowPlaying() : none)) {
        if (entry.empty())
            menu->addSeparator();
        else
            menu->addAction(QString::fromStdString(entry));
    }
    return menu;
}

} // namespace torvane
