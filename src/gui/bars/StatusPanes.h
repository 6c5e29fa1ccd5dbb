#pragma once

#include <QIcon>
#include <QString>

class QLabel;
class QStatusBar;
class QWidget;

namespace torvane {

// The six panes of the status bar: the prompt, the selection (with the row's type icon), the
// item count, the selected count, the mode indicator and an empty pane.
class CStatusPanes {
public:
    enum Pane { Prompt, Selection, ItemCount, SelectedCount, Mode, Spare, PaneCount };

    explicit CStatusPanes(QStatusBar* bar);

    // An empty prompt shows "ﾚﾃﾞｨ". A prompt wider than the pane widens it as far as the bar
    // allows and is cut with an ellipsis beyond that.
    void SetPrompt(const QString& prompt);
    // Nothing in the prompt pane: a menu item without a prompt is highlighted.
    void ClearPrompt();
    // The prompt pane's text as drawn, cut to its width.
    QString ShownPrompt() const;
    void SetSelection(int index, const QString& text, const QString& tip, const QIcon& icon);
    void SetItemCount(const QString& text);
    void SetSelectedCount(const QString& text);
    void SetSearchMode(bool on);

    QString Text(Pane pane) const;
    QString Tip(Pane pane) const;
    bool HasSelectionIcon() const;
    bool HasModeIcon() const;

private:
    class CPromptLabel;

    CPromptLabel* m_Prompt;
    QLabel* m_Labels[PaneCount];
    QLabel* m_SelectionIcon;
    QWidget* m_SelectionPane;
};

} // namespace torvane
