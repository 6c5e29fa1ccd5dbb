#pragma once

#include <span>

namespace torvane {

// Every command of the menus, bars and keyboard table. Ranges (history entries, columns, sort
// keys, scan depths) are numbered from their first member.
enum class Cmd : int {
    // "ﾌｧｲﾙ(&F)"
    ClearList,
    OpenFiles,
    InputItem,
    OpenFolder,
    AddFromFolder,
    Save,
    SaveEachFolder,
    OpenAutoSaveList,
    FileHistory0,
    FolderHistory0 = FileHistory0 + 5,
    About = FolderHistory0 + 5,
    Exit,
    // "操作(&E)"
    OpenItem,
    Play,
    Stop,
    PlaySingle, // the play bar's "option >" menu: "単曲", "連続", "ランダム"
    PlayContinuous,
    PlayRandom,
    GetTags,
    GetAllTags,
    GetSizes,
    GetAllSizes,
    ClearInfo,
    CopyPath,
    CopyName,
    Trash,
    OpenParentFolder,
    Properties,
    // "リスト操作"
    SwapLists,
    AddToOtherList,
    MoveUp,
    MoveDown,
    SelectAll,
    InvertSelection,
    RemoveSelected,
    SortSelection0, // by column key 0..12
    ShuffleSelection = SortSelection0 + 13,
    Shuffle,
    DuplicateCheck,
    DuplicateList,
    // "表示(&V)"
    FullRowSelect,
    GridLines,
    HideAllBars,
    ShowToolBar,
    ShowModeBar,
    ShowPlayBar,
    ShowSearchBar,
    ShowDataBar,
    ShowSizeBar,
    ShowStatusBar,
    Column0, // by column key 0..14
    ColumnChooser = Column0 + 15,
    SizeKB,
    SizeMB,
    TimeSec,
    TimeMin,
    TimeClock,
    TagStandard,
    TagExtended,
    DropWindow,
    // mode bar buttons without a menu item
    GetTagsAuto,
    GetSizesAuto,
    // "検索(&S)" and the search bar
    ToggleSearchMode,
    ExtendedSearch,
    SearchNew,
    SearchNarrow,
    // "設定(&S)"
    ReadTagsOnLoad,
    ReadSizesOnLoad,
    ExtensionSettings,
    Depth0, // "非設定", "１" .. "５"
    IgnoreLeadingDigits = Depth0 + 6,
    NoExitConfirm,
    SaveOnExit,
    NotifyTrack,
    English,
    // size bar
    ComputeTotals,
    Count
};

constexpr Cmd operator+(Cmd first, int offset) {
    return static_cast<Cmd>(static_cast<int>(first) + offset);
}
constexpr int operator-(Cmd a, Cmd b) {
    return static_cast<int>(a) - static_cast<int>(b);
}
constexpr bool InRange(Cmd id, Cmd first, int count) {
    return id - first >= 0 && id - first < count;
}

enum class CheckKind { None, Check, Radio };

// The program's texts of one command: the menu caption (a tab separates the key hint, which is
// display text only), the status-bar prompt, the tooltip and the bound key. Texts are marked
// for translation in context "Torvane".
struct CommandInfo {
    Cmd Id;
    const char* Caption;
    const char* Prompt;
    const char* Tip;
    const char* Key;
    CheckKind Check;
};

// One entry per command, in the order of Cmd.
std::span<const CommandInfo> CommandTable();

// The column keys in the order of the "カラム" submenu, and the sort keys in the order of the
// "選択範囲をソート(&S)" submenu.
std::span<const int> ColumnMenuKeys();
std::span<const int> SortMenuKeys();

} // namespace torvane
