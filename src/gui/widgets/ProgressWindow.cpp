#include "gui/widgets/ProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include <time.h> // NOLINT(modernize-deprecated-headers): POSIX's clock_gettime is declared here

namespace torvane {

namespace {

// The clock is read on every report and question of an operation that may ask once per record:
// the coarse clock costs a fraction of the precise one and its few milliseconds of resolution
// are plenty for the pump interval.
qint64 CoarseMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

// A window of its own rather than a child of the owner: disabling the owner would disable its
// children too.
CProgressWindow::CProgressWindow(QWidget* owner)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_Owner(owner), m_Percent(new QLabel(QStringLiteral(" 0 %"))), m_Bar(new QProgressBar),
      m_CancelButton(new QPushButton(tr("ｷｬﾝｾﾙ"))), m_Elapsed(new QLabel) {
    setWindowTitle(tr("処理中"));
    m_Percent->setAlignment(Qt::AlignCenter);
    m_Bar->setRange(Lower, Upper);
    m_Bar->setValue(Lower);
    m_Bar->setTextVisible(false);
    m_Bar->setAccessibleName(tr("進捗"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_Percent, 0, 0, 1, 2);
    layout->addWidget(m_Bar, 1, 0, 1, 2);
    layout->addWidget(m_CancelButton, 2, 0, Qt::AlignLeft);
    layout->addWidget(m_Elapsed, 2, 1, Qt::AlignRight);
    setMinimumWidth(250);
    connect(m_CancelButton, &QPushButton::clicked, this, [this] { Cancel(); });
}

CProgressWindow::~CProgressWindow() {
    Close();
}

void CProgressWindow::Open() {
    if (m_Owner && m_Owner->isEnabled()) {
        m_FocusBefore = QApplication::focusWidget();
        m_Owner->setEnabled(false);
        m_OwnerDisabled = true;
    }
    m_ElapsedSeconds = 0;
    m_Elapsed->setText(QStringLiteral("0 sec"));
    m_Clock.start(1000, this);
    m_OpenedAt = CoarseMilliseconds();
}

void CProgressWindow::ShowWindow() {
    if (m_Owner) {
        winId(); // creates the native window, so it can stay above its owner
        if (windowHandle() && m_Owner->window()->windowHandle())
            windowHandle()->setTransientParent(m_Owner->window()->windowHandle());
    }
    show();
}

void CProgressWindow::Close() {
    m_Clock.stop();
    const bool wasActive = isVisible() && isActiveWindow();
    const bool restore = m_OwnerDisabled && m_Owner;
    if (restore)
        m_Owner->setEnabled(true);
    m_OwnerDisabled = false;
    m_OpenedAt = -1;
    hide();
    if (restore)
        RestoreFocus(wasActive);
    m_FocusBefore = nullptr;
}

// The window that had the focus is made active again only when this one took the activation
// from it, not when the user has gone to another program meanwhile.
void CProgressWindow::RestoreFocus(bool wasActive) {
    QWidget* control = m_FocusBefore;
    if (!control || !control->isVisible() || !control->isEnabled())
        return;
    if (wasActive)
        control->window()->activateWindow();
    control->setFocus(Qt::OtherFocusReason);
}

QString CProgressWindow::PercentLabel() const {
    return m_Percent->text();
}

QString CProgressWindow::ElapsedLabel() const {
    return m_Elapsed->text();
}

// A percentage change is worth a pump only when the window shows it.
void CProgressWindow::PumpEvents(bool percentChanged) {
    const bool shown = isVisible();
    const qint64 now = CoarseMilliseconds();
    if (!(percentChanged && shown) && m_PumpedAt >= 0 && now - m_PumpedAt < PumpInterval)
        return;
    if (!shown && m_OpenedAt >= 0 && now - m_OpenedAt >= ShowDelay)
        ShowWindow();
    QCoreApplication::processEvents();
    m_PumpedAt = now;
}

void CProgressWindow::ShowPosition(int position, const std::string& percentText) {
    m_Bar->setValue(position);
    if (percentText == m_ShownPercent)
        return;
    m_ShownPercent = percentText;
    m_Percent->setText(QString::fromStdString(percentText));
}

void CProgressWindow::closeEvent(QCloseEvent* event) {
    Cancel();
    event->ignore();
}

// Escape acts like the cancel button.
void CProgressWindow::reject() {
    Cancel();
}

void CProgressWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_Clock.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    ++m_ElapsedSeconds;
    m_Elapsed->setText(QStringLiteral("%1 sec").arg(m_ElapsedSeconds));
}

} // namespace torvane
