#include "gui/app/Actions.h"

#include "gui/i18n/Translate.h"
#include "gui/widgets/Icons.h"

#include <QAction>
#include <QActionGroup>

namespace torvane {
namespace {

struct BarIcon {
    Cmd Id;
    const char* ThemeName;
    QStyle::StandardPixmap Fallback;
};

// The pictures of the tool bar buttons and the search bar's mode switch.
constexpr BarIcon BarIcons[] = {
    {Cmd::OpenFiles, "document-open", QStyle::SP_DialogOpenButton},
    {Cmd::InputItem, "document-new", QStyle::SP_FileIcon},
    {Cmd::OpenFolder, "folder-open", QStyle::SP_DirOpenIcon},
    {Cmd::AddFromFolder, "system-search", QStyle::SP_FileDialogContentsView},
    {Cmd::Save, "document-save", QStyle::SP_DialogSaveButton},
    {Cmd::MoveUp, "go-up", QStyle::SP_ArrowUp},
    {Cmd::MoveDown, "go-down", QStyle::SP_ArrowDown},
    {Cmd::RemoveSelected, "list-remove", QStyle::SP_DialogDiscardButton},
    {Cmd::ClearList, "edit-clear-all", QStyle::SP_DialogResetButton},
    {Cmd::Shuffle, "media-playlist-shuffle", QStyle::SP_BrowserReload},
    {Cmd::DuplicateCheck, "edit-copy", QStyle::SP_FileDialogDetailedView},
    {Cmd::DuplicateList, "view-list-details", QStyle::SP_FileDialogListView},
    {Cmd::About, "help-about", QStyle::SP_MessageBoxInformation},
    {Cmd::ToggleSearchMode, "edit-find", QStyle::SP_FileDialogContentsView},
};

// Radio items that exclude each other.
struct RadioGroup {
    Cmd First;
    int Count;
};
constexpr RadioGroup RadioGroups[] = {{Cmd::SizeKB, 2},
                                      {Cmd::TimeSec, 3},
                                      {Cmd::TagStandard, 2},
                                      {Cmd::Depth0, 6},
                                      {Cmd::PlaySingle, 3}};

} // namespace

CActions::CActions(QObject* owner) {
    for (const CommandInfo& command : CommandTable()) {
        auto* action = new QAction(Tr(command.Caption), owner);
        action->setStatusTip(Tr(command.Prompt));
        // The caption without its key hint and mnemonic mark.
        const QString plain = action->text().section('\t', 0, 0).remove('&');
        action->setToolTip(command.Tip ? Tr(command.Tip) : plain);
        action->setIconText(plain);
        if (command.Key)
            action->setShortcut(QKeySequence(QString::fromLatin1(command.Key)));
        if (command.Check != CheckKind::None)
            action->setCheckable(true);
        m_Actions[static_cast<size_t>(command.Id)] = action;
    }
    for (const RadioGroup& radio : RadioGroups) {
        auto* group = new QActionGroup(owner);
        for (int i = 0; i < radio.Count; ++i)
            group->addAction((*this)[radio.First + i]);
    }
    for (const BarIcon& icon : BarIcons)
        m_Actions[static_cast<size_t>(icon.Id)]->setIcon(
            WithDisabledLook(ThemeIcon(icon.ThemeName, icon.Fallback)));
}

} // namespace torvane
