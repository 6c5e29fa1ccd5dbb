#include "gui/bars/StatusPanes.h"

#include "gui/i18n/Translate.h"
#include "gui/widgets/Icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QStatusBar>

#include <algorithm>

namespace torvane {
namespace {

constexpr int IconSize = 14;
constexpr int ItemCountWidth = 50;
constexpr int SelectedCountWidth = 70;

// The default widths are the least a pane takes; a text that is wider in this platform's font
// widens its pane instead of being cut.
void SetFittingText(QLabel* label, const QString& text, int width) {
    label->setText(text);
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->margin() +
                       2 * label->frameWidth() + 2;
    label->setMinimumWidth(std::max(width, needed));
}

QLabel* MakePane(const QString& text, int width, const QString& tip) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    SetFittingText(label, text, width);
    label->setToolTip(tip);
    return label;
}

constexpr int PromptWidth = 250;

} // namespace

// Wants the whole prompt's width, takes no less than the pane's own, and draws what does not
// fit cut with an ellipsis.
class CStatusPanes::CPromptLabel final : public QLabel {
public:
    CPromptLabel() {
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    void SetFullText(const QString& text) {
        m_Full = text;
        updateGeometry();
        ShowFitting();
    }
    const QString& FullText() const { return m_Full; }

    QSize sizeHint() const override {
        const int needed = fontMetrics().horizontalAdvance(m_Full) + Extra();
        return {std::max(PromptWidth, needed), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override {
        return {PromptWidth, QLabel::minimumSizeHint().height()};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        ShowFitting();
    }

private:
    int Extra() const { return 2 * margin() + 2 * frameWidth() + 2; }
    void ShowFitting() {
        setText(fontMetrics().elidedText(m_Full, Qt::ElideRight, std::max(0, width() - Extra())));
    }

    QString m_Full;
};

CStatusPanes::CStatusPanes(QStatusBar* bar)
    : m_Prompt(new CPromptLabel), m_SelectionIcon(new QLabel), m_SelectionPane(new QWidget) {
    m_Labels[Prompt] = m_Prompt;
    m_Labels[Selection] = MakePane(QStringLiteral(" "), 80, QString());
    m_Labels[ItemCount] = MakePane(Tr(QT_TRANSLATE_NOOP("Torvane", " 0 件")), ItemCountWidth,
                                   Tr(QT_TRANSLATE_NOOP("Torvane", "全アイテム数")));
    m_Labels[SelectedCount] =
        MakePane(Tr(QT_TRANSLATE_NOOP("Torvane", " 0 件選択")), SelectedCountWidth,
                 Tr(QT_TRANSLATE_NOOP("Torvane", "選択アイテム数")));
    m_Labels[Mode] = MakePane(QString(), 16, Tr(QT_TRANSLATE_NOOP("Torvane", "全表示")));
    m_Labels[Spare] = MakePane(QStringLiteral(" "), 0, QString());
    // Long prompts and paths are cut rather than widening the window; a long prompt takes the
    // room of the selection while it shows.
    m_Labels[Selection]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_Labels[Selection]->setMinimumWidth(0);
    m_Labels[Mode]->setFixedWidth(IconSize + 6);
    m_Labels[Mode]->setAlignment(Qt::AlignCenter);
    m_Labels[Mode]->setAccessibleName(m_Labels[Mode]->toolTip());
    // The last pane is an empty one of no width: hidden, it looks the same and a screen reader
    // does not stop at a blank.
    m_Labels[Spare]->hide();
    SetPrompt(QString());
    m_Labels[Selection]->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "選択なし")));

    m_SelectionIcon->setFixedSize(IconSize, IconSize);
    m_SelectionIcon->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "ファイルの種類")));
    m_SelectionPane->setAccessibleName(Tr(QT_TRANSLATE_NOOP("Torvane", "選択中のアイテム")));
    auto* layout = new QHBoxLayout(m_SelectionPane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_SelectionIcon);
    layout->addWidget(m_Labels[Selection], 1);

    bar->addWidget(m_Labels[Prompt]);
    bar->addPermanentWidget(m_SelectionPane, 1);
    for (const Pane pane : {ItemCount, SelectedCount, Mode, Spare})
        bar->addPermanentWidget(m_Labels[pane]);
}

void CStatusPanes::SetPrompt(const QString& prompt) {
    m_Prompt->SetFullText(prompt.isEmpty() ? Tr(QT_TRANSLATE_NOOP("Torvane", "ﾚﾃﾞｨ")) : prompt);
}

void CStatusPanes::ClearPrompt() {
    m_Prompt->SetFullText(QString());
}

QString CStatusPanes::ShownPrompt() const {
    return m_Prompt->text();
}

void CStatusPanes::SetSelection(int index, const QString& text, const QString& tip,
                                const QIcon& icon) {
    m_Labels[Selection]->setText(index > 0 ? QStringLiteral("[%1] %2").arg(index).arg(text) : text);
    // a blank pane says so to a screen reader
    m_Labels[Selection]->setAccessibleName(m_Labels[Selection]->text().trimmed().isEmpty()
                                               ? Tr(QT_TRANSLATE_NOOP("Torvane", "選択なし"))
                                               : m_Labels[Selection]->text());
    m_SelectionPane->setToolTip(tip);
    m_Labels[Selection]->setToolTip(tip);
    m_SelectionIcon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(IconSize, IconSize));
}

void CStatusPanes::SetItemCount(const QString& text) {
    SetFittingText(m_Labels[ItemCount], text, ItemCountWidth);
}

void CStatusPanes::SetSelectedCount(const QString& text) {
    SetFittingText(m_Labels[SelectedCount], text, SelectedCountWidth);
}

void CStatusPanes::SetSearchMode(bool on) {
    QLabel* pane = m_Labels[Mode];
    pane->setPixmap(on ? SearchModeIcon().pixmap(IconSize, IconSize) : QPixmap());
    pane->setToolTip(on ? Tr(QT_TRANSLATE_NOOP("Torvane", "検索"))
                        : Tr(QT_TRANSLATE_NOOP("Torvane", "全表示")));
    pane->setAccessibleName(pane->toolTip());
}

QString CStatusPanes::Text(Pane pane) const {
    return pane == Prompt ? m_Prompt->FullText() : m_Labels[pane]->text();
}

QString CStatusPanes::Tip(Pane pane) const {
    return m_Labels[pane]->toolTip();
}

bool CStatusPanes::HasSelectionIcon() const {
    return !m_SelectionIcon->pixmap().isNull();
}

bool CStatusPanes::HasModeIcon() const {
    return !m_Labels[Mode]->pixmap().isNull();
}

} // namespace torvane
