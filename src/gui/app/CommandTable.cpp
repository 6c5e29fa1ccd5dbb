#include "gui/app/CommandTable.h"

#include <QtGlobal>

#include <array>

namespace torvane {
namespace {

constexpr CheckKind N = CheckKind::None;
constexpr CheckKind C = CheckKind::Check;
constexpr CheckKind R = CheckKind::Radio;

// clang-format off
constexpr CommandInfo Table[] = {
    {Cmd::ClearList, QT_TRANSLATE_NOOP("Torvane", "リストをクリア(&N)\tCtrl+N"), QT_TRANSLATE_NOOP("Torvane", "リストをクリア"), QT_TRANSLATE_NOOP("Torvane", "オールクリア"), "Ctrl+N", N},
    {Cmd::OpenFiles, QT_TRANSLATE_NOOP("Torvane", "開く(&O)...\tCtrl+O"), QT_TRANSLATE_NOOP("Torvane", "既存のﾌｧｲﾙを開く"), QT_TRANSLATE_NOOP("Torvane", "開く"), "Ctrl+O", N},
    {Cmd::InputItem, QT_TRANSLATE_NOOP("Torvane", "入力（&Ｉ）"), QT_TRANSLATE_NOOP("Torvane", "直接入力したものをリストに追加します(展開はしません。)"), QT_TRANSLATE_NOOP("Torvane", "入力"), nullptr, N},
    {Cmd::OpenFolder, QT_TRANSLATE_NOOP("Torvane", "フォルダを開く(&D)\tCtrl+D"), QT_TRANSLATE_NOOP("Torvane", "フォルダを開く"), QT_TRANSLATE_NOOP("Torvane", "フォルダを開く"), "Ctrl+P", N},
    {Cmd::AddFromFolder, QT_TRANSLATE_NOOP("Torvane", "フォルダから追加"), QT_TRANSLATE_NOOP("Torvane", "フォルダから検索してリストに追加します。"), QT_TRANSLATE_NOOP("Torvane", "フォルダから追加"), nullptr, N},
    {Cmd::Save, QT_TRANSLATE_NOOP("Torvane", "保存(&S)\tCtrl+S"), QT_TRANSLATE_NOOP("Torvane", "作業中のﾌｧｲﾙを保存"), QT_TRANSLATE_NOOP("Torvane", "保存"), "Ctrl+S", N},
    {Cmd::SaveEachFolder, QT_TRANSLATE_NOOP("Torvane", "フォルダ毎に保存"), QT_TRANSLATE_NOOP("Torvane", "リストを各フォルダ毎にm3uファイルに保存します。"), nullptr, nullptr, N},
    {Cmd::OpenAutoSaveList, "Torvane.m3u", "Torvane.m3u", nullptr, nullptr, N},
    {Cmd::FileHistory0 + 0, "1", QT_TRANSLATE_NOOP("Torvane", "ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 1, "2", QT_TRANSLATE_NOOP("Torvane", "ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 2, "3", QT_TRANSLATE_NOOP("Torvane", "ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 3, "4", QT_TRANSLATE_NOOP("Torvane", "ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FileHistory0 + 4, "5", QT_TRANSLATE_NOOP("Torvane", "ファイル履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 0, "1", QT_TRANSLATE_NOOP("Torvane", "フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 1, "2", QT_TRANSLATE_NOOP("Torvane", "フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 2, "3", QT_TRANSLATE_NOOP("Torvane", "フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 3, "4", QT_TRANSLATE_NOOP("Torvane", "フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::FolderHistory0 + 4, "5", QT_TRANSLATE_NOOP("Torvane", "フォルダ履歴"), nullptr, nullptr, N},
    {Cmd::About, QT_TRANSLATE_NOOP("Torvane", "Torvane のﾊﾞｰｼﾞｮﾝ情報(&A)..."), QT_TRANSLATE_NOOP("Torvane", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示"), QT_TRANSLATE_NOOP("Torvane", "ﾊﾞｰｼﾞｮﾝ情報"), nullptr, N},
    {Cmd::Exit, QT_TRANSLATE_NOOP("Torvane", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), QT_TRANSLATE_NOOP("Torvane", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示"), nullptr, nullptr, N},

    {Cmd::OpenItem, QT_TRANSLATE_NOOP("Torvane", "開く(&O)"), QT_TRANSLATE_NOOP("Torvane", "外部アプリを使って選択したアイテムを開きます。"), nullptr, nullptr, N},
    {Cmd::Play, QT_TRANSLATE_NOOP("Torvane", "再生(&P)\tEnter"), QT_TRANSLATE_NOOP("Torvane", "選択中のファイルを再生します"), nullptr, nullptr, N},
    {Cmd::Stop, QT_TRANSLATE_NOOP("Torvane", "停止"), QT_TRANSLATE_NOOP("Torvane", "再生を停止します。"), nullptr, nullptr, N},
    {Cmd::PlaySingle, QT_TRANSLATE_NOOP("Torvane", "単曲"), QT_TRANSLATE_NOOP("Torvane", "一曲再生して停止します。"), nullptr, nullptr, R},
    {Cmd::PlayContinuous, QT_TRANSLATE_NOOP("Torvane", "連続"), QT_TRANSLATE_NOOP("Torvane", "通常再生"), nullptr, nullptr, R},
    {Cmd::PlayRandom, QT_TRANSLATE_NOOP("Torvane", "ランダム"), QT_TRANSLATE_NOOP("Torvane", "ランダム"), nullptr, nullptr, R},
    {Cmd::GetTags, QT_TRANSLATE_NOOP("Torvane", "タグを取得(&T)\tCtrl+T"), QT_TRANSLATE_NOOP("Torvane", "選択中のアイテムのタグ情報を取得します"), nullptr, "Ctrl+T", N},
    {Cmd::GetAllTags, QT_TRANSLATE_NOOP("Torvane", "全てのタグを取得"), QT_TRANSLATE_NOOP("Torvane", "全てのタグ情報を取得します"), nullptr, nullptr, N},
    {Cmd::GetSizes, QT_TRANSLATE_NOOP("Torvane", "ファイルサイズを取得(&F)\tCtrl+F"), QT_TRANSLATE_NOOP("Torvane", "選択中のアイテムのファイルサイズを取得します"), nullptr, nullptr, N},
    {Cmd::GetAllSizes, QT_TRANSLATE_NOOP("Torvane", "全てのファイルサイズを取得"), QT_TRANSLATE_NOOP("Torvane", "全てのファイルサイズを取得します"), nullptr, nullptr, N},
    {Cmd::ClearInfo, QT_TRANSLATE_NOOP("Torvane", "選択アイテムの情報をクリア\tCtrl+D"), QT_TRANSLATE_NOOP("Torvane", "ファイルサイズやタグ情報をクリアします"), nullptr, "Ctrl+D", N},
    {Cmd::CopyPath, QT_TRANSLATE_NOOP("Torvane", "ファイルパスをコピー(&C)\tCtrl+C"), QT_TRANSLATE_NOOP("Torvane", "選択中のアイテムのファイルパスをクリップボードへコピーします"), nullptr, "Ctrl+C", N},
    {Cmd::CopyName, QT_TRANSLATE_NOOP("Torvane", "ファイル名をコピー"), QT_TRANSLATE_NOOP("Torvane", "選択中のアイテムのファイル名をクリップボードへコピーします"), nullptr, nullptr, N},
    {Cmd::Trash, QT_TRANSLATE_NOOP("Torvane", "ごみ箱へ"), QT_TRANSLATE_NOOP("Torvane", "ファイルをごみ箱へ移動します"), nullptr, nullptr, N},
    {Cmd::OpenParentFolder, QT_TRANSLATE_NOOP("Torvane", "一つ上のフォルダを開く\tCtrl+E"), QT_TRANSLATE_NOOP("Torvane", "ファイルが存在しているフォルダを開きます"), nullptr, "Ctrl+E", N},
    {Cmd::Properties, QT_TRANSLATE_NOOP("Torvane", "プロパティ\tAlt+Enter"), QT_TRANSLATE_NOOP("Torvane", "ファイルのプロパティを開きます"), nullptr, "Alt+Return", N},

    {Cmd::SwapLists, QT_TRANSLATE_NOOP("Torvane", "リスト入替"), QT_TRANSLATE_NOOP("Torvane", "全リストと検索リストの中身を入れ替えます。"), QT_TRANSLATE_NOOP("Torvane", "リスト入替"), nullptr, N},
    {Cmd::AddToOtherList, QT_TRANSLATE_NOOP("Torvane", "検索リストに追加"), QT_TRANSLATE_NOOP("Torvane", "選択中のアイテムをリストに追加します。"), nullptr, nullptr, N},
    {Cmd::MoveUp, QT_TRANSLATE_NOOP("Torvane", "上へ(&U)\tAlt+Up"), QT_TRANSLATE_NOOP("Torvane", "選択アイテムを上へ"), QT_TRANSLATE_NOOP("Torvane", "上へ"), "Alt+Up", N},
    {Cmd::MoveDown, QT_TRANSLATE_NOOP("Torvane", "下へ(&B)\tAlt+Down"), QT_TRANSLATE_NOOP("Torvane", "選択アイテムを下へ"), QT_TRANSLATE_NOOP("Torvane", "下へ"), "Alt+Down", N},
    {Cmd::SelectAll, QT_TRANSLATE_NOOP("Torvane", "全て選択(&A)\tCtrl+A"), QT_TRANSLATE_NOOP("Torvane", "全てのアイテムを選択します"), QT_TRANSLATE_NOOP("Torvane", "全て選択"), "Ctrl+A", N},
    {Cmd::InvertSelection, QT_TRANSLATE_NOOP("Torvane", "選択反転\tCtrl+R"), QT_TRANSLATE_NOOP("Torvane", "選択を反転します"), QT_TRANSLATE_NOOP("Torvane", "選択反転"), "Ctrl+R", N},
    {Cmd::RemoveSelected, QT_TRANSLATE_NOOP("Torvane", "選択アイテムをクリア(&D)\tDelete"), QT_TRANSLATE_NOOP("Torvane", "選択中アイテムを一覧から削除します"), QT_TRANSLATE_NOOP("Torvane", "削除"), nullptr, N},
    {Cmd::SortSelection0 + 0, QT_TRANSLATE_NOOP("Torvane", "ファイルパス"), QT_TRANSLATE_NOOP("Torvane", "ファイルパスでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 1, QT_TRANSLATE_NOOP("Torvane", "ファイル名"), QT_TRANSLATE_NOOP("Torvane", "ファイル名でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 2, QT_TRANSLATE_NOOP("Torvane", "拡張子"), QT_TRANSLATE_NOOP("Torvane", "拡張子でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 3, QT_TRANSLATE_NOOP("Torvane", "サイズ"), QT_TRANSLATE_NOOP("Torvane", "ファイルサイズでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 4, QT_TRANSLATE_NOOP("Torvane", "TAG-タイトル"), QT_TRANSLATE_NOOP("Torvane", "TAG-タイトルでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 5, QT_TRANSLATE_NOOP("Torvane", "TAG-アーティスト"), QT_TRANSLATE_NOOP("Torvane", "TAG-アーティストでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 6, QT_TRANSLATE_NOOP("Torvane", "TAG-アルバム"), QT_TRANSLATE_NOOP("Torvane", "TAG-アルバムでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 7, QT_TRANSLATE_NOOP("Torvane", "TAG-コメント"), QT_TRANSLATE_NOOP("Torvane", "TAG-コメントでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 8, QT_TRANSLATE_NOOP("Torvane", "TAG-トラック番号"), QT_TRANSLATE_NOOP("Torvane", "TAG-トラック番号でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 9, QT_TRANSLATE_NOOP("Torvane", "再生時間"), QT_TRANSLATE_NOOP("Torvane", "再生時間でソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 10, QT_TRANSLATE_NOOP("Torvane", "ビットレート"), QT_TRANSLATE_NOOP("Torvane", "ビットレートでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 11, QT_TRANSLATE_NOOP("Torvane", "サンプリングレート"), QT_TRANSLATE_NOOP("Torvane", "サンプリングレートでソート"), nullptr, nullptr, N},
    {Cmd::SortSelection0 + 12, QT_TRANSLATE_NOOP("Torvane", "ファイルタイプ"), QT_TRANSLATE_NOOP("Torvane", "ファイルタイプでソート"), nullptr, nullptr, N},
    {Cmd::ShuffleSelection, QT_TRANSLATE_NOOP("Torvane", "ランダム"), QT_TRANSLATE_NOOP("Torvane", "リストの選択範囲をランダムにシャッフルします"), QT_TRANSLATE_NOOP("Torvane", "ランダム"), nullptr, N},
    {Cmd::Shuffle, QT_TRANSLATE_NOOP("Torvane", "ランダム"), QT_TRANSLATE_NOOP("Torvane", "リストをランダムにシャッフルします"), QT_TRANSLATE_NOOP("Torvane", "ランダム"), nullptr, N},
    {Cmd::DuplicateCheck, QT_TRANSLATE_NOOP("Torvane", "重複チェック"), QT_TRANSLATE_NOOP("Torvane", "重複チェックをします"), QT_TRANSLATE_NOOP("Torvane", "重複チェック"), nullptr, N},
    {Cmd::DuplicateList, QT_TRANSLATE_NOOP("Torvane", "重複リストアップ"), QT_TRANSLATE_NOOP("Torvane", "重複した物を検索リストにリストアップします。"), QT_TRANSLATE_NOOP("Torvane", "重複リストアップ"), nullptr, N},

    {Cmd::FullRowSelect, QT_TRANSLATE_NOOP("Torvane", "一行選択"), QT_TRANSLATE_NOOP("Torvane", "アイテムの選択を一行すべてで表示するようにします"), QT_TRANSLATE_NOOP("Torvane", "一行選択"), nullptr, C},
    {Cmd::GridLines, QT_TRANSLATE_NOOP("Torvane", "グリッドライン"), QT_TRANSLATE_NOOP("Torvane", "グリッドラインの表示/非表示"), nullptr, nullptr, C},
    {Cmd::HideAllBars, QT_TRANSLATE_NOOP("Torvane", "全て隠す"), QT_TRANSLATE_NOOP("Torvane", "全てのツールバーを非表示にします"), nullptr, nullptr, N},
    {Cmd::ShowToolBar, QT_TRANSLATE_NOOP("Torvane", "ﾂｰﾙ ﾊﾞｰ (&T)"), QT_TRANSLATE_NOOP("Torvane", "ﾂｰﾙ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowModeBar, QT_TRANSLATE_NOOP("Torvane", "ﾓｰﾄﾞ ﾊﾞｰ(&M)"), QT_TRANSLATE_NOOP("Torvane", "ﾓｰﾄﾞ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowPlayBar, QT_TRANSLATE_NOOP("Torvane", "ﾌﾟﾚｲ ﾊﾞｰ(&P)"), QT_TRANSLATE_NOOP("Torvane", "ﾌﾟﾚｲ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowSearchBar, QT_TRANSLATE_NOOP("Torvane", "ｻｰﾁ ﾊﾞｰ (&S)"), QT_TRANSLATE_NOOP("Torvane", "ｻｰﾁ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowDataBar, QT_TRANSLATE_NOOP("Torvane", "ﾃﾞｰﾀ ﾊﾞｰ(&D)"), QT_TRANSLATE_NOOP("Torvane", "ﾃﾞｰﾀ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowSizeBar, QT_TRANSLATE_NOOP("Torvane", "ｻｲｽﾞ ﾊﾞｰ(&F)"), QT_TRANSLATE_NOOP("Torvane", "ｻｲｽﾞ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ShowStatusBar, QT_TRANSLATE_NOOP("Torvane", "ｽﾃｰﾀｽ ﾊﾞｰ (&B)"), QT_TRANSLATE_NOOP("Torvane", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 0, QT_TRANSLATE_NOOP("Torvane", "ファイルパス"), QT_TRANSLATE_NOOP("Torvane", "ﾌｧｲﾙﾊﾟｽの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 1, QT_TRANSLATE_NOOP("Torvane", "ファイル名"), QT_TRANSLATE_NOOP("Torvane", "ファイル名の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 2, QT_TRANSLATE_NOOP("Torvane", "拡張子"), QT_TRANSLATE_NOOP("Torvane", "拡張子の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 3, QT_TRANSLATE_NOOP("Torvane", "ファイルサイズ"), QT_TRANSLATE_NOOP("Torvane", "ﾌｧｲﾙｻｲｽﾞの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 4, QT_TRANSLATE_NOOP("Torvane", "タイトル"), QT_TRANSLATE_NOOP("Torvane", "ﾀｲﾄﾙの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 5, QT_TRANSLATE_NOOP("Torvane", "アーティスト"), QT_TRANSLATE_NOOP("Torvane", "ｱｰﾃｨｽﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 6, QT_TRANSLATE_NOOP("Torvane", "アルバム"), QT_TRANSLATE_NOOP("Torvane", "ｱﾙﾊﾞﾑの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 7, QT_TRANSLATE_NOOP("Torvane", "コメント"), QT_TRANSLATE_NOOP("Torvane", "ｺﾒﾝﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 8, QT_TRANSLATE_NOOP("Torvane", "トラック番号"), QT_TRANSLATE_NOOP("Torvane", "トラック番号の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 9, QT_TRANSLATE_NOOP("Torvane", "時間"), QT_TRANSLATE_NOOP("Torvane", "時間の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 10, QT_TRANSLATE_NOOP("Torvane", "ビットレート"), QT_TRANSLATE_NOOP("Torvane", "ﾋﾞｯﾄﾚｰﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 11, QT_TRANSLATE_NOOP("Torvane", "サンプリングレート"), QT_TRANSLATE_NOOP("Torvane", "ｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 12, QT_TRANSLATE_NOOP("Torvane", "ファイルタイプ"), QT_TRANSLATE_NOOP("Torvane", "ﾌｧｲﾙﾀｲﾌﾟの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 13, QT_TRANSLATE_NOOP("Torvane", "ジャンル"), QT_TRANSLATE_NOOP("Torvane", "ｼﾞｬﾝﾙの 表示/非表示"), nullptr, nullptr, C},
    {Cmd::Column0 + 14, QT_TRANSLATE_NOOP("Torvane", "年"), QT_TRANSLATE_NOOP("Torvane", "年の 表示/非表示"), nullptr, nullptr, C},
    {Cmd::ColumnChooser, QT_TRANSLATE_NOOP("Torvane", "まとめて選択"), QT_TRANSLATE_NOOP("Torvane", "カラムの表示/非表示の切り替え"), nullptr, nullptr, N},
    {Cmd::SizeKB, "KB", QT_TRANSLATE_NOOP("Torvane", "キロバイト（1kByte = 1024Byte）"), QT_TRANSLATE_NOOP("Torvane", "kB表示"), nullptr, R},
    {Cmd::SizeMB, "MB", QT_TRANSLATE_NOOP("Torvane", "メガバイト(1MByte = 1024kByte)"), QT_TRANSLATE_NOOP("Torvane", "MB表示"), nullptr, R},
    {Cmd::TimeSec, QT_TRANSLATE_NOOP("Torvane", "秒"), QT_TRANSLATE_NOOP("Torvane", "時間を秒で表示"), QT_TRANSLATE_NOOP("Torvane", "秒表示"), nullptr, R},
    {Cmd::TimeMin, QT_TRANSLATE_NOOP("Torvane", "分"), QT_TRANSLATE_NOOP("Torvane", "時間を分で表示"), QT_TRANSLATE_NOOP("Torvane", "分表示"), nullptr, R},
    {Cmd::TimeClock, QT_TRANSLATE_NOOP("Torvane", "通常表示"), QT_TRANSLATE_NOOP("Torvane", "mm:ssの形式で表示"), "mm:ss", nullptr, R},
    {Cmd::TagStandard, QT_TRANSLATE_NOOP("Torvane", "標準"), QT_TRANSLATE_NOOP("Torvane", "標準タグを表示"), QT_TRANSLATE_NOOP("Torvane", "標準タグ"), nullptr, R},
    {Cmd::TagExtended, QT_TRANSLATE_NOOP("Torvane", "拡張"), QT_TRANSLATE_NOOP("Torvane", "拡張タグを表示"), QT_TRANSLATE_NOOP("Torvane", "拡張タグ"), nullptr, R},
    {Cmd::DropWindow, QT_TRANSLATE_NOOP("Torvane", "ドロップダイアログ"), QT_TRANSLATE_NOOP("Torvane", "ドロップダイアログを表示"), nullptr, nullptr, C},
    {Cmd::GetTagsAuto, QT_TRANSLATE_NOOP("Torvane", "タグ取得"), QT_TRANSLATE_NOOP("Torvane", "タグ情報を取得します"), QT_TRANSLATE_NOOP("Torvane", "タグ取得"), nullptr, N},
    {Cmd::GetSizesAuto, QT_TRANSLATE_NOOP("Torvane", "サイズ取得"), QT_TRANSLATE_NOOP("Torvane", "ファイルサイズを取得します"), QT_TRANSLATE_NOOP("Torvane", "ファイルサイズの取得"), nullptr, N},

    {Cmd::ToggleSearchMode, QT_TRANSLATE_NOOP("Torvane", "検索モード切り替え(&M)"), QT_TRANSLATE_NOOP("Torvane", "全表示/検索の切り替え"), QT_TRANSLATE_NOOP("Torvane", "モード切替"), nullptr, C},
    {Cmd::ExtendedSearch, QT_TRANSLATE_NOOP("Torvane", "拡張検索\tCtrl + Shift + F"), QT_TRANSLATE_NOOP("Torvane", "拡張検索"), nullptr, "Ctrl+F", N},
    {Cmd::SearchNew, QT_TRANSLATE_NOOP("Torvane", "検索"), QT_TRANSLATE_NOOP("Torvane", "新規に検索を実行します"), QT_TRANSLATE_NOOP("Torvane", "新規検索"), nullptr, N},
    {Cmd::SearchNarrow, QT_TRANSLATE_NOOP("Torvane", "絞込"), QT_TRANSLATE_NOOP("Torvane", "現在の検索結果から絞込検索を実行します"), QT_TRANSLATE_NOOP("Torvane", "絞込検索"), nullptr, N},

    {Cmd::ReadTagsOnLoad, QT_TRANSLATE_NOOP("Torvane", "読みこみ時にタグ取得"), QT_TRANSLATE_NOOP("Torvane", "リストへ読み込む際にタグ情報を取得します"), nullptr, nullptr, C},
    {Cmd::ReadSizesOnLoad, QT_TRANSLATE_NOOP("Torvane", "読込み時にサイズ取得"), QT_TRANSLATE_NOOP("Torvane", "リストへ読み込む際にファイルサイズを取得します"), nullptr, nullptr, C},
    {Cmd::ExtensionSettings, QT_TRANSLATE_NOOP("Torvane", "拡張子の設定"), QT_TRANSLATE_NOOP("Torvane", "読込みの対象となる拡張子を設定します"), nullptr, nullptr, N},
    {Cmd::Depth0 + 0, QT_TRANSLATE_NOOP("Torvane", "非設定"), QT_TRANSLATE_NOOP("Torvane", "全ての階層を検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 1, QT_TRANSLATE_NOOP("Torvane", "１"), QT_TRANSLATE_NOOP("Torvane", "選択フォルダのみを検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 2, QT_TRANSLATE_NOOP("Torvane", "２"), QT_TRANSLATE_NOOP("Torvane", "選択フォルダ及その一階層下のサブフォルダを検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 3, QT_TRANSLATE_NOOP("Torvane", "３"), QT_TRANSLATE_NOOP("Torvane", "３階層下まで検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 4, QT_TRANSLATE_NOOP("Torvane", "４"), QT_TRANSLATE_NOOP("Torvane", "４階層下まで検索します。"), nullptr, nullptr, R},
    {Cmd::Depth0 + 5, QT_TRANSLATE_NOOP("Torvane", "５"), QT_TRANSLATE_NOOP("Torvane", "５階層下まで検索します。"), nullptr, nullptr, R},
    {Cmd::IgnoreLeadingDigits, QT_TRANSLATE_NOOP("Torvane", "ファイル名の先頭の数字を無視"), QT_TRANSLATE_NOOP("Torvane", "ソート時にファイル名の先頭に来る数字を無視します。"), nullptr, nullptr, C},
    {Cmd::NoExitConfirm, QT_TRANSLATE_NOOP("Torvane", "終了時確認を非表示"), QT_TRANSLATE_NOOP("Torvane", "終了時の確認ダイアログを非表示にします"), nullptr, nullptr, C},
    {Cmd::SaveOnExit, QT_TRANSLATE_NOOP("Torvane", "終了時リストを保存"), QT_TRANSLATE_NOOP("Torvane", "終了時の\"全リスト\"の内容を保存、次回起動時に読み込みます。"), nullptr, nullptr, C},
    {Cmd::NotifyTrack, QT_TRANSLATE_NOOP("Torvane", "再生曲を通知"), QT_TRANSLATE_NOOP("Torvane", "再生を始めた曲をデスクトップの通知で知らせます。"), nullptr, nullptr, C},
    {Cmd::English, "English", QT_TRANSLATE_NOOP("Torvane", "表示する言語を英語にします。次回の起動から有効になります。"), nullptr, nullptr, C},

    {Cmd::ComputeTotals, QT_TRANSLATE_NOOP("Torvane", "算出"), QT_TRANSLATE_NOOP("Torvane", "選択・取得されているアイテムの合計サイズ及び再生時間を計算します。"), QT_TRANSLATE_NOOP("Torvane", "合計の算出"), nullptr, N},
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
