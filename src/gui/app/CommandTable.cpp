#include "CommandTable.h"

#include <QtGlobal>

#include <array>

#define T(text) QT_TRANSLATE_NOOP("Torvane", text)

namespace torvane {
namespace {

constexpr CheckKind N = CheckKind::None;
constexpr CheckKind C = CheckKind::Check;
constexpr CheckKind R = CheckKind::Radio;

// clang-format off
constexpr CommandInfo Table[] = {
    {Cmd::ClearList, T("リストをクリア(&N)\tCtrl+N"), T("リストをクリア"), T("オールクリア"), "Ctrl+N", N},
    {Cmd::OpenFiles, T("開く(&O)...\tCtrl+O"), T("既存のﾌｧｲﾙを開く"), T("開く"), "Ctrl+O", N},
    {Cmd::InputItem, T("入力（&Ｉ）"), T("直接入力したものをリストに追加します(展開はしません。)"), T("入力"), nullptr, N},
    {Cmd::OpenFolder, T("フォルダを開く(&D)\tCtrl+D"), T("フォルダを開く"), T("フォルダを開く"), "Ctrl+P", N},
    {Cmd::AddFromFolder, T("フォルダから追加"), T("フォルダから検索してリストに追加します。"), T("フォルダから追加"), nullptr, N},
    {Cmd::Save, T("保存(&S)\tCtrl+S"), T("作業中のﾌｧｲﾙを保存"), T("保存"), "Ctrl+S", N},
    {Cmd::SaveEachFolder, T("フォルダ毎に保存"), T("リストを各フォルダ毎にm3uファイルに保存します。"), nullptr, nullptr, N},
    {Cmd::OpenAutoSaveList, "Torvane.m3u", "Torvane.m3u", nullptr, nullptr, N},
    {Cmd::FileHistory0 + 0, "1", T("ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 1, "2", T("ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 2, "3", T("ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 3, "4", T("ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 4, "5", T("ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 0, "1", T("フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 1, "2", T("フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 2, "3", T("フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 3, "4", T("フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 4, "5", T("フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::About, T("Torvane のﾊﾞｰｼﾞｮﾝ情報(&A)..."), T("ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示"), T("ﾊﾞｰｼﾞｮﾝ情報"), nullptr, N},
    {Cmd::Exit, T("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), T("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示"), nullptr, nullptr, N},

    {Cmd::OpenItem, T("開く(&O)"), T("外部アプリを使って選択したアイテムを開きます。"), nullptr, nullptr, N},
    {Cmd::Play, T("再生(&P)\tEnter"), T("選択中のファイルを再生します"), nullptr, nullptr, N},
    {Cmd::Stop, T("停止"), T("再生を停止します。"), nullptr, nullptr, N},
    {Cmd::PlaySingle, T("単曲"), T("一曲再生して停止します。"), nullptr, nullptr, R},
    {Cmd::PlayContinuous, T("連続"), T("通常再生"), nullptr, nullptr, R},
    {Cmd::PlayRandom, T("ランダム"), T("ランダム"), nullptr, nullptr, R},
    {Cmd::GetTags, T("タグを取得(&T)\tCtrl+T"), T("選択中のアイテムのタグ情報を取得します"), nullptr, "Ctrl+T", N},
    {Cmd::GetAllTags, T("全てのタグを取得"), T("全てのタグ情報を取得します"), nullptr, nullptr, N},
    {Cmd::GetSizes, T("ファイルサイズを取得(&F)\tCtrl+F"), T("選択中のアイテムのファイルサイズを取得します"), nullptr, nullptr, N},
    {Cmd::GetAllSizes, T("全てのファイルサイズを取得"), T("全てのファイルサイズを取得します"), nullptr, nullptr, N},
    {Cmd::ClearInfo, T("選択アイテムの情報をクリア\tCtrl+D"), T("ファイルサイズやタグ情報をクリアします"), nullptr, "Ctrl+D", N},
    {Cmd::CopyPath, T("ファイルパスをコピー(&C)\tCtrl+C"), T("選択中のアイテムのファイルパスをクリップボードへコピーします"), nullptr, "Ctrl+C", N},
    {Cmd::CopyName, T("ファイル名をコピー"), T("選択中のアイテムのファイル名をクリップボードへコピーします"), nullptr, nullptr, N},
    {Cmd::Trash, T("ごみ箱へ"), T("ファイルをごみ箱へ移動します"), nullptr, nullptr, N},
    {Cmd::OpenParentFolder, T("一つ上のフォルダを開く\tCtrl+E"), T("ファイルが存在しているフォルダを開きます"), nullptr, "Ctrl+E", N},
    {Cmd::Properties, T("プロパティ\tAlt+Enter"), T("ファイルのプロパティを開きます"), nullptr, "Alt+Return", N},

    {Cmd::SwapLists, T("リスト入替"), T("全リストと検索リストの中身を入れ替えます。"), T("リスト入替"), nullptr, N},
    {Cmd::AddToOtherList, T("検索リストに追加"), T("選択中のアイテムをリストに追加します。"), nullptr, nullptr, N},
    {Cmd::MoveUp, T("上へ(&U)\tAlt+Up"), T("選択アイテムを上へ"), T("上へ"), "Alt+Up", N},
    {Cmd::MoveDown, T("下へ(&B)\tAlt+Down"), T("選択アイテムを下へ"), T("下へ"), "Alt+Down", N},
    {Cmd::SelectAll, T("全て選択(&A)\tCtrl+A"), T("全てのアイテムを選択します"), T("全て選択"), "Ctrl+A", N},
    {Cmd::InvertSelection, T("選択反転\tCtrl+R"), T("選択を反転します"), T("選択反転"), "Ctrl+R", N},
    {Cmd::RemoveSelected, T("選択アイテムをクリア(&D)\tDelete"), T("選択中アイテムを一覧から削除します"), T("削除"), nullptr, N},
    {Cmd::SortSelection0 + 0, T("ファイルパス"), T("ファイルパスでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 1, T("ファイル名"), T("ファイル名でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 2, T("拡張子"), T("拡張子でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 3, T("サイズ"), T("ファイルサイズでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 4, T("TAG-タイトル"), T("TAG-タイトルでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 5, T("TAG-アーティスト"), T("TAG-アーティストでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 6, T("TAG-アルバム"), T("TAG-アルバムでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 7, T("TAG-コメント"), T("TAG-コメントでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 8, T("TAG-トラック番号"), T("TAG-トラック番号でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 9, T("再生時間"), T("再生時間でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 10, T("ビットレート"), T("ビットレートでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 11, T("サンプリングレート"), T("サンプリングレートでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 12, T("ファイルタイプ"), T("ファイルタイプでソート"), nullptr, nullptr, N},
    {Cmd::ShuffleSelection, T("ランダム"), T("リストの選択範囲をランダムにシャッフルします"), T("ランダム"), nullptr, N},
    {Cmd::Shuffle, T("ランダム"), T("リストをランダムにシャッフルします"), T("ランダム"), nullptr, N},
    {Cmd::DuplicateCheck, T("重複チェック"), T("重複チェックをします"), T("重複チェック"), nullptr, N},
    {Cmd::DuplicateList, T("重複リストアップ"), T("重複した物を検索リストにリストアップします。"), T("重複リストアップ"), nullptr, N},

    {Cmd::FullRowSelect, T("一行選択"), T("アイテムの選択を一行すべてで表示するようにします"), T("一行選択"), nullptr, C},
    {Cmd::GridLines, T("グリッドライン"), T("グリッドラインの表示/非表示"), nullptr, nullptr, C},
    {Cmd::HideAllBars, T("全て隠す"), T("全てのツールバーを非表示にします"), nullptr, nullptr, N},
    {Cmd::ShowToolBar, T("ﾂｰﾙ ﾊﾞｰ (&T)"), T("ﾂｰﾙ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowModeBar, T("ﾓｰﾄﾞ ﾊﾞｰ(&M)"), T("ﾓｰﾄﾞ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowPlayBar, T("ﾌﾟﾚｲ ﾊﾞｰ(&P)"), T("ﾌﾟﾚｲ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowSearchBar, T("ｻｰﾁ ﾊﾞｰ (&S)"), T("ｻｰﾁ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowDataBar, T("ﾃﾞｰﾀ ﾊﾞｰ(&D)"), T("ﾃﾞｰﾀ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowSizeBar, T("ｻｲｽﾞ ﾊﾞｰ(&F)"), T("ｻｲｽﾞ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowStatusBar, T("ｽﾃｰﾀｽ ﾊﾞｰ (&B)"), T("ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 0, T("ファイルパス"), T("ﾌｧｲﾙﾊﾟｽの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 1, T("ファイル名"), T("ファイル名の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 2, T("拡張子"), T("拡張子の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 3, T("ファイルサイズ"), T("ﾌｧｲﾙｻｲｽﾞの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 4, T("タイトル"), T("ﾀｲﾄﾙの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 5, T("アーティスト"), T("ｱｰﾃｨｽﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 6, T("アルバム"), T("ｱﾙﾊﾞﾑの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 7, T("コメント"), T("ｺﾒﾝﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 8, T("トラック番号"), T("トラック番号の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 9, T("時間"), T("時間の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 10, T("ビットレート"), T("ﾋﾞｯﾄﾚｰﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 11, T("サンプリングレート"), T("ｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 12, T("ファイルタイプ"), T("ﾌｧｲﾙﾀｲﾌﾟの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 13, T("ジャンル"), T("ｼﾞｬﾝﾙの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 14, T("年"), T("年の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ColumnChooser, T("まとめて選択"), T("カラムの表示/非表示の切り替え"), nullptr, nullptr, N},
    {Cmd::SizeKB, "KB", T("キロバイト（1kByte = 1024Byte）"), T("kB表示"), nullptr, R},
    {Cmd::SizeMB, "MB", T("メガバイト(1MByte = 1024kByte)"), T("MB表示"), nullptr, R},
    {Cmd::TimeSec, T("秒"), T("時間を秒で表示"), T("秒表示"), nullptr, R},
    {Cmd::TimeMin, T("分"), T("時間を分で表示"), T("分表示"), nullptr, R},
    {Cmd::TimeClock, T("通常表示"), T("mm:ssの形式で表示"), "mm:ss", nullptr, R},
    {Cmd::TagStandard, T("標準"), T("標準タグを表示"), T("標準タグ"), nullptr, R},
    {Cmd::TagExtended, T("拡張"), T("拡張タグを表示"), T("拡張タグ"), nullptr, R},
    {Cmd::DropWindow, T("ドロップダイアログ"), T("ドロップダイアログを表示"), nullptr, nullptr, C},
    {Cmd::GetTagsAuto, T("タグ取得"), T("タグ情報を取得します"), T("タグ取得"), nullptr, N},
    {Cmd::GetSizesAuto, T("サイズ取得"), T("ファイルサイズを取得します"), T("ファイルサイズの取得"), nullptr, N},

    {Cmd::ToggleSearchMode, T("検索モード切り替え(&M)"), T("全表示/検索の切り替え"), T("モード切替"), nullptr, C},
    {Cmd::ExtendedSearch, T("拡張検索\tCtrl + Shift + F"), T("拡張検索"), nullptr, "Ctrl+F", N},
    {Cmd::SearchNew, T("検索"), T("新規に検索を実行します"), T("新規検索"), nullptr, N},
    {Cmd::SearchNarrow, T("絞込"), T("現在の検索結果から絞込検索を実行します"), T("絞込検索"), nullptr, N},

    {Cmd::ReadTagsOnLoad, T("読みこみ時にタグ取得"), T("リストへ読み込む際にタグ情報を取得します"), nullptr, nullptr, C},
    {Cmd::ReadSizesOnLoad, T("読込み時にサイズ取得"), T("リストへ読み込む際にファイルサイズを取得します"), nullptr, nullptr, C},
    {Cmd::ExtensionSettings, T("拡張子の設定"), T("読込みの対象となる拡張子を設定します"), nullptr, nullptr, N},
    {Cmd::Depth0 + 0, T("非設定"), T("全ての階層を検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 1, T("１"), T("選択フォルダのみを検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 2, T("２"), T("選択フォルダ及その一階層下のサブフォルダを検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 3, T("３"), T("３階層下まで検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 4, T("４"), T("４階層下まで検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 5, T("５"), T("５階層下まで検索します。"), nullptr, nullptr, R},
    {Cmd::IgnoreLeadingDigits, T("ファイル名の先頭の数字を無視"), T("ソート時にファイル名の先頭に来る数字を無視します。"), nullptr, nullptr, C},
    {Cmd::NoExitConfirm, T("終了時確認を非表示"), T("終了時の確認ダイアログを非表示にします"), nullptr, nullptr, C},
    {Cmd::SaveOnExit, T("終了時リストを保存"), T("終了時の\"全リスト\"の内容を保存、次回起動時に読み込みます。"), nullptr, nullptr, C},

    {Cmd::ComputeTotals, T("算出"), T("選択・取得されているアイテムの合計サイズ及び再生時間を計算します。"), T("合計の算出"), nullptr, N},
};
// clang-format on

static_assert(std::size(Table) == static_cast<size_t>(Cmd::Count), "one entry per command");

constexpr bool InCommandOrder() {
    for (size_t i = 0; i < std::size(Table); ++i)
        if (static_cast<size_t>(Table[i].Id) != i)
            return false;
    return true;
}
static_assert(InCommandOrder(), "entries in the order of Cmd");

constexpr std::array<int, 15> ColumnKeys{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10, 12, 13, 14};
constexpr std::array<int, 13> SortKeys{0, 1, 3, 2, 4, 5, 6, 7, 8, 9, 11, 10, 12};

} // namespace

std::span<const CommandInfo> CommandTable() {
    return Table;
}

std::span<const int> ColumnMenuKeys() {
    return ColumnKeys;
}

std::span<const int> SortMenuKeys() {
    return SortKeys;
}

} // namespace torvane
