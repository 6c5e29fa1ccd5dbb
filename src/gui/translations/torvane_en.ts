<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Torvane</name>
    <message>
        <source>次回の起動から有効になります。</source>
        <translation>Takes effect the next time Torvane starts.</translation>
    </message>
    <message>
        <source>テンプレートファイルがありません</source>
        <translation>The template file is missing</translation>
    </message>
    <message>
        <source>テンプレートファイルのオープンに失敗しました</source>
        <translation>Could not open the template file</translation>
    </message>
    <message>
        <source>フォルダ名が不正です。</source>
        <translation>The folder name is not valid.</translation>
    </message>
    <message>
        <source>ファイルのオープンに失敗しました</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>保存しました。</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>起動できませんでした。
アプリケーションのパスを確認してください。</source>
        <translation>Could not start the application.
Check the application&apos;s path.</translation>
    </message>
    <message>
        <source>フォルダの取得に失敗しました。</source>
        <translation>Could not get the folder.</translation>
    </message>
    <message>
        <source>5以上のフォルダが選択されました。
先の5フォルダを開きます。</source>
        <translation>More than 5 folders are selected.
Opening the first 5 folders.</translation>
    </message>
    <message>
        <source>クリップボードのオープンに失敗しました。</source>
        <translation>Could not open the clipboard.</translation>
    </message>
    <message>
        <source>再生できませんでした。
%1

再生に必要な次のものがありません。
%2

GStreamer のプラグイン (gstreamer1.0-plugins-base、gstreamer1.0-plugins-good、gstreamer1.0-plugins-ugly、gstreamer1.0-libav) をインストールしてください。</source>
        <translation>Could not play
%1

Playing it needs the following, which is missing:
%2

Install GStreamer&apos;s plug-ins (gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav).</translation>
    </message>
    <message>
        <source> %1 件</source>
        <translation> %1 items</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>拡張子が指定されていません。</source>
        <translation>No extension is given.</translation>
    </message>
    <message>
        <source>指定したパスは無効です。
有効なパスを指定してください。</source>
        <translation>The path is not valid.
Please give a valid path.</translation>
    </message>
    <message>
        <source>サーチ バー</source>
        <translation>Search Bar</translation>
    </message>
    <message>
        <source>ファイルパス</source>
        <translation>File path</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>TAG-タイトル</source>
        <translation>TAG-Title</translation>
    </message>
    <message>
        <source>TAG-アーティスト</source>
        <translation>TAG-Artist</translation>
    </message>
    <message>
        <source>TAG-アルバム</source>
        <translation>TAG-Album</translation>
    </message>
    <message>
        <source>TAG-コメント</source>
        <translation>TAG-Comment</translation>
    </message>
    <message>
        <source>検索対象を選択してください</source>
        <translation>Choose what to search</translation>
    </message>
    <message>
        <source>含む</source>
        <translation>contains</translation>
    </message>
    <message>
        <source>含まない</source>
        <translation>does not contain</translation>
    </message>
    <message>
        <source>&quot;含まない&quot;を選ぶと、NOT検索となります</source>
        <translation>Choose &quot;does not contain&quot; for a NOT search</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>存在する</source>
        <translation>Existing</translation>
    </message>
    <message>
        <source>存在しない</source>
        <translation>Missing</translation>
    </message>
    <message>
        <source>存在する/しない を選択する事で、ファイルの存在確認が出来ます。</source>
        <translation>Choose existing or missing to check whether the files exist.</translation>
    </message>
    <message>
        <source>検索する文字列を入力してください。スペースで区切ることでAND検索ができます</source>
        <translation>Enter the text to search for. Separate words with spaces for an AND search</translation>
    </message>
    <message>
        <source>に</source>
        <translation>:</translation>
    </message>
    <message>
        <source>を</source>
        <translation>–</translation>
    </message>
    <message>
        <source>サイズ バー</source>
        <translation>Size Bar</translation>
    </message>
    <message>
        <source>常に再計算</source>
        <translation>Always recalculate</translation>
    </message>
    <message>
        <source>常に再計算を行います。</source>
        <translation>Recalculates the totals on every change.</translation>
    </message>
    <message>
        <source>容量</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>リストをクリア(&amp;N)	Ctrl+N</source>
        <translation>&amp;New List	Ctrl+N</translation>
    </message>
    <message>
        <source>リストをクリア</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>オールクリア</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>開く(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>既存のﾌｧｲﾙを開く</source>
        <translation>Open existing files</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>入力（&amp;Ｉ）</source>
        <translation>&amp;Input</translation>
    </message>
    <message>
        <source>直接入力したものをリストに追加します(展開はしません。)</source>
        <translation>Adds what you type to the list (without expanding it)</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>フォルダを開く(&amp;D)	Ctrl+D</source>
        <translation>Open &amp;Folder	Ctrl+D</translation>
    </message>
    <message>
        <source>フォルダを開く</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>フォルダから追加</source>
        <translation>Add from Folder</translation>
    </message>
    <message>
        <source>フォルダから検索してリストに追加します。</source>
        <translation>Searches a folder and adds what it finds to the list.</translation>
    </message>
    <message>
        <source>保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>作業中のﾌｧｲﾙを保存</source>
        <translation>Save the list</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>フォルダ毎に保存</source>
        <translation>Save per Folder</translation>
    </message>
    <message>
        <source>リストを各フォルダ毎にm3uファイルに保存します。</source>
        <translation>Saves the list as one m3u file in each folder.</translation>
    </message>
    <message>
        <source>ファイル履歴</source>
        <translation>Recent file</translation>
    </message>
    <message>
        <source>フォルダ履歴</source>
        <translation>Recent folder</translation>
    </message>
    <message>
        <source>Torvane のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Torvane...</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示</source>
        <translation>Shows the program&apos;s information, version and copyright</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示</source>
        <translation>Quits the application</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>外部アプリを使って選択したアイテムを開きます。</source>
        <translation>Opens the selected items with their applications.</translation>
    </message>
    <message>
        <source>再生(&amp;P)	Enter</source>
        <translation>&amp;Play	Enter</translation>
    </message>
    <message>
        <source>選択中のファイルを再生します</source>
        <translation>Plays the selected file</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>再生を停止します。</source>
        <translation>Stops playback.</translation>
    </message>
    <message>
        <source>単曲</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>一曲再生して停止します。</source>
        <translation>Plays one track and stops.</translation>
    </message>
    <message>
        <source>連続</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>通常再生</source>
        <translation>Normal playback</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>タグを取得(&amp;T)	Ctrl+T</source>
        <translation>Get &amp;Tags	Ctrl+T</translation>
    </message>
    <message>
        <source>選択中のアイテムのタグ情報を取得します</source>
        <translation>Reads the tags of the selected items</translation>
    </message>
    <message>
        <source>全てのタグを取得</source>
        <translation>Get All Tags</translation>
    </message>
    <message>
        <source>全てのタグ情報を取得します</source>
        <translation>Reads the tags of all items</translation>
    </message>
    <message>
        <source>ファイルサイズを取得(&amp;F)	Ctrl+F</source>
        <translation>Get &amp;File Sizes	Ctrl+F</translation>
    </message>
    <message>
        <source>選択中のアイテムのファイルサイズを取得します</source>
        <translation>Reads the file sizes of the selected items</translation>
    </message>
    <message>
        <source>全てのファイルサイズを取得</source>
        <translation>Get All File Sizes</translation>
    </message>
    <message>
        <source>全てのファイルサイズを取得します</source>
        <translation>Reads the file sizes of all items</translation>
    </message>
    <message>
        <source>選択アイテムの情報をクリア	Ctrl+D</source>
        <translation>Clear Information of Selection	Ctrl+D</translation>
    </message>
    <message>
        <source>ファイルサイズやタグ情報をクリアします</source>
        <translation>Clears file sizes and tags</translation>
    </message>
    <message>
        <source>ファイルパスをコピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy File Path	Ctrl+C</translation>
    </message>
    <message>
        <source>選択中のアイテムのファイルパスをクリップボードへコピーします</source>
        <translation>Copies the file paths of the selected items to the clipboard</translation>
    </message>
    <message>
        <source>ファイル名をコピー</source>
        <translation>Copy File Name</translation>
    </message>
    <message>
        <source>選択中のアイテムのファイル名をクリップボードへコピーします</source>
        <translation>Copies the file names of the selected items to the clipboard</translation>
    </message>
    <message>
        <source>ごみ箱へ</source>
        <translation>Move to Trash</translation>
    </message>
    <message>
        <source>ファイルをごみ箱へ移動します</source>
        <translation>Moves the files to the trash</translation>
    </message>
    <message>
        <source>一つ上のフォルダを開く	Ctrl+E</source>
        <translation>Open Containing Folder	Ctrl+E</translation>
    </message>
    <message>
        <source>ファイルが存在しているフォルダを開きます</source>
        <translation>Opens the folder the file is in</translation>
    </message>
    <message>
        <source>プロパティ	Alt+Enter</source>
        <translation>Properties	Alt+Enter</translation>
    </message>
    <message>
        <source>ファイルのプロパティを開きます</source>
        <translation>Shows the file&apos;s properties</translation>
    </message>
    <message>
        <source>リスト入替</source>
        <translation>Swap Lists</translation>
    </message>
    <message>
        <source>全リストと検索リストの中身を入れ替えます。</source>
        <translation>Swaps the contents of the full list and the search list.</translation>
    </message>
    <message>
        <source>検索リストに追加</source>
        <translation>Add to Search List</translation>
    </message>
    <message>
        <source>選択中のアイテムをリストに追加します。</source>
        <translation>Adds the selected items to the other list.</translation>
    </message>
    <message>
        <source>上へ(&amp;U)	Alt+Up</source>
        <translation>Move &amp;Up	Alt+Up</translation>
    </message>
    <message>
        <source>選択アイテムを上へ</source>
        <translation>Moves the selected items up</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ(&amp;B)	Alt+Down</source>
        <translation>Move Dow&amp;n	Alt+Down</translation>
    </message>
    <message>
        <source>選択アイテムを下へ</source>
        <translation>Moves the selected items down</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>全て選択(&amp;A)	Ctrl+A</source>
        <translation>Select &amp;All	Ctrl+A</translation>
    </message>
    <message>
        <source>全てのアイテムを選択します</source>
        <translation>Selects all items</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>選択反転	Ctrl+R</source>
        <translation>Invert Selection	Ctrl+R</translation>
    </message>
    <message>
        <source>選択を反転します</source>
        <translation>Inverts the selection</translation>
    </message>
    <message>
        <source>選択反転</source>
        <translation>Invert Selection</translation>
    </message>
    <message>
        <source>選択アイテムをクリア(&amp;D)	Delete</source>
        <translation>Remove Selecte&amp;d	Delete</translation>
    </message>
    <message>
        <source>選択中アイテムを一覧から削除します</source>
        <translation>Removes the selected items from the list</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>ファイルパスでソート</source>
        <translation>Sort by file path</translation>
    </message>
    <message>
        <source>ファイル名でソート</source>
        <translation>Sort by file name</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>拡張子でソート</source>
        <translation>Sort by extension</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ファイルサイズでソート</source>
        <translation>Sort by file size</translation>
    </message>
    <message>
        <source>TAG-タイトルでソート</source>
        <translation>Sort by TAG-Title</translation>
    </message>
    <message>
        <source>TAG-アーティストでソート</source>
        <translation>Sort by TAG-Artist</translation>
    </message>
    <message>
        <source>TAG-アルバムでソート</source>
        <translation>Sort by TAG-Album</translation>
    </message>
    <message>
        <source>TAG-コメントでソート</source>
        <translation>Sort by TAG-Comment</translation>
    </message>
    <message>
        <source>TAG-トラック番号</source>
        <translation>TAG-Track</translation>
    </message>
    <message>
        <source>TAG-トラック番号でソート</source>
        <translation>Sort by TAG-Track</translation>
    </message>
    <message>
        <source>再生時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>再生時間でソート</source>
        <translation>Sort by time</translation>
    </message>
    <message>
        <source>ビットレート</source>
        <translation>Bit rate</translation>
    </message>
    <message>
        <source>ビットレートでソート</source>
        <translation>Sort by bit rate</translation>
    </message>
    <message>
        <source>サンプリングレート</source>
        <translation>Sampling rate</translation>
    </message>
    <message>
        <source>サンプリングレートでソート</source>
        <translation>Sort by sampling rate</translation>
    </message>
    <message>
        <source>ファイルタイプ</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>ファイルタイプでソート</source>
        <translation>Sort by file type</translation>
    </message>
    <message>
        <source>リストの選択範囲をランダムにシャッフルします</source>
        <translation>Shuffles the selected items at random</translation>
    </message>
    <message>
        <source>リストをランダムにシャッフルします</source>
        <translation>Shuffles the list at random</translation>
    </message>
    <message>
        <source>重複チェック</source>
        <translation>Check Duplicates</translation>
    </message>
    <message>
        <source>重複チェックをします</source>
        <translation>Checks the list for duplicates</translation>
    </message>
    <message>
        <source>重複リストアップ</source>
        <translation>List Duplicates</translation>
    </message>
    <message>
        <source>重複した物を検索リストにリストアップします。</source>
        <translation>Lists the duplicates in the search list.</translation>
    </message>
    <message>
        <source>一行選択</source>
        <translation>Full Row Select</translation>
    </message>
    <message>
        <source>アイテムの選択を一行すべてで表示するようにします</source>
        <translation>Shows the selection across the whole row</translation>
    </message>
    <message>
        <source>グリッドライン</source>
        <translation>Grid Lines</translation>
    </message>
    <message>
        <source>グリッドラインの表示/非表示</source>
        <translation>Shows or hides the grid lines</translation>
    </message>
    <message>
        <source>全て隠す</source>
        <translation>Hide All</translation>
    </message>
    <message>
        <source>全てのツールバーを非表示にします</source>
        <translation>Hides all tool bars</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ (&amp;T)</source>
        <translation>&amp;Tool Bar</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the tool bar</translation>
    </message>
    <message>
        <source>ﾓｰﾄﾞ ﾊﾞｰ(&amp;M)</source>
        <translation>&amp;Mode Bar</translation>
    </message>
    <message>
        <source>ﾓｰﾄﾞ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the mode bar</translation>
    </message>
    <message>
        <source>ﾌﾟﾚｲ ﾊﾞｰ(&amp;P)</source>
        <translation>&amp;Play Bar</translation>
    </message>
    <message>
        <source>ﾌﾟﾚｲ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the play bar</translation>
    </message>
    <message>
        <source>ｻｰﾁ ﾊﾞｰ (&amp;S)</source>
        <translation>&amp;Search Bar</translation>
    </message>
    <message>
        <source>ｻｰﾁ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the search bar</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾊﾞｰ(&amp;D)</source>
        <translation>&amp;Data Bar</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the data bar</translation>
    </message>
    <message>
        <source>ｻｲｽﾞ ﾊﾞｰ(&amp;F)</source>
        <translation>Si&amp;ze Bar</translation>
    </message>
    <message>
        <source>ｻｲｽﾞ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the size bar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ (&amp;B)</source>
        <translation>Status &amp;Bar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示</source>
        <translation>Shows or hides the status bar</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾊﾟｽの 表示/非表示</source>
        <translation>Shows or hides the file path</translation>
    </message>
    <message>
        <source>ファイル名の 表示/非表示</source>
        <translation>Shows or hides the file name</translation>
    </message>
    <message>
        <source>拡張子の 表示/非表示</source>
        <translation>Shows or hides the extension</translation>
    </message>
    <message>
        <source>ファイルサイズ</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙｻｲｽﾞの 表示/非表示</source>
        <translation>Shows or hides the file size</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>ﾀｲﾄﾙの 表示/非表示</source>
        <translation>Shows or hides the title</translation>
    </message>
    <message>
        <source>アーティスト</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>ｱｰﾃｨｽﾄの 表示/非表示</source>
        <translation>Shows or hides the artist</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>ｱﾙﾊﾞﾑの 表示/非表示</source>
        <translation>Shows or hides the album</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>ｺﾒﾝﾄの 表示/非表示</source>
        <translation>Shows or hides the comment</translation>
    </message>
    <message>
        <source>トラック番号</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>トラック番号の 表示/非表示</source>
        <translation>Shows or hides the track number</translation>
    </message>
    <message>
        <source>時間の 表示/非表示</source>
        <translation>Shows or hides the time</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾚｰﾄの 表示/非表示</source>
        <translation>Shows or hides the bit rate</translation>
    </message>
    <message>
        <source>ｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄの 表示/非表示</source>
        <translation>Shows or hides the sampling rate</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾀｲﾌﾟの 表示/非表示</source>
        <translation>Shows or hides the file type</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>ｼﾞｬﾝﾙの 表示/非表示</source>
        <translation>Shows or hides the genre</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>年の 表示/非表示</source>
        <translation>Shows or hides the year</translation>
    </message>
    <message>
        <source>まとめて選択</source>
        <translation>Choose Columns</translation>
    </message>
    <message>
        <source>カラムの表示/非表示の切り替え</source>
        <translation>Chooses the columns to show</translation>
    </message>
    <message>
        <source>キロバイト（1kByte = 1024Byte）</source>
        <translation>Kilobytes (1 kB = 1024 bytes)</translation>
    </message>
    <message>
        <source>kB表示</source>
        <translation>Show kB</translation>
    </message>
    <message>
        <source>メガバイト(1MByte = 1024kByte)</source>
        <translation>Megabytes (1 MB = 1024 kB)</translation>
    </message>
    <message>
        <source>MB表示</source>
        <translation>Show MB</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>時間を秒で表示</source>
        <translation>Shows times in seconds</translation>
    </message>
    <message>
        <source>秒表示</source>
        <translation>Show seconds</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>時間を分で表示</source>
        <translation>Shows times in minutes</translation>
    </message>
    <message>
        <source>分表示</source>
        <translation>Show minutes</translation>
    </message>
    <message>
        <source>通常表示</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>mm:ssの形式で表示</source>
        <translation>Shows times as mm:ss</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>標準タグを表示</source>
        <translation>Shows the standard tags</translation>
    </message>
    <message>
        <source>標準タグ</source>
        <translation>Standard tags</translation>
    </message>
    <message>
        <source>拡張</source>
        <translation>Extended</translation>
    </message>
    <message>
        <source>拡張タグを表示</source>
        <translation>Shows the extended tags</translation>
    </message>
    <message>
        <source>拡張タグ</source>
        <translation>Extended tags</translation>
    </message>
    <message>
        <source>ドロップダイアログ</source>
        <translation>Drop Window</translation>
    </message>
    <message>
        <source>ドロップダイアログを表示</source>
        <translation>Shows the drop window</translation>
    </message>
    <message>
        <source>タグ取得</source>
        <translation>Get tags</translation>
    </message>
    <message>
        <source>タグ情報を取得します</source>
        <translation>Reads the tags</translation>
    </message>
    <message>
        <source>サイズ取得</source>
        <translation>Get sizes</translation>
    </message>
    <message>
        <source>ファイルサイズを取得します</source>
        <translation>Reads the file sizes</translation>
    </message>
    <message>
        <source>ファイルサイズの取得</source>
        <translation>Get file sizes</translation>
    </message>
    <message>
        <source>検索モード切り替え(&amp;M)</source>
        <translation>Toggle Search &amp;Mode</translation>
    </message>
    <message>
        <source>全表示/検索の切り替え</source>
        <translation>Switches between the full list and the search list</translation>
    </message>
    <message>
        <source>モード切替</source>
        <translation>Switch mode</translation>
    </message>
    <message>
        <source>拡張検索	Ctrl + Shift + F</source>
        <translation>Extended Search	Ctrl + Shift + F</translation>
    </message>
    <message>
        <source>拡張検索</source>
        <translation>Extended Search</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>新規に検索を実行します</source>
        <translation>Runs a new search</translation>
    </message>
    <message>
        <source>新規検索</source>
        <translation>New search</translation>
    </message>
    <message>
        <source>絞込</source>
        <translation>Narrow</translation>
    </message>
    <message>
        <source>現在の検索結果から絞込検索を実行します</source>
        <translation>Searches within the current results</translation>
    </message>
    <message>
        <source>絞込検索</source>
        <translation>Narrow search</translation>
    </message>
    <message>
        <source>読みこみ時にタグ取得</source>
        <translation>Read Tags on Load</translation>
    </message>
    <message>
        <source>リストへ読み込む際にタグ情報を取得します</source>
        <translation>Reads the tags when adding to the list</translation>
    </message>
    <message>
        <source>読込み時にサイズ取得</source>
        <translation>Read Sizes on Load</translation>
    </message>
    <message>
        <source>リストへ読み込む際にファイルサイズを取得します</source>
        <translation>Reads the file sizes when adding to the list</translation>
    </message>
    <message>
        <source>拡張子の設定</source>
        <translation>Extensions...</translation>
    </message>
    <message>
        <source>読込みの対象となる拡張子を設定します</source>
        <translation>Sets the extensions of the files to load</translation>
    </message>
    <message>
        <source>非設定</source>
        <translation>Unlimited</translation>
    </message>
    <message>
        <source>全ての階層を検索します。</source>
        <translation>Searches all levels.</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>選択フォルダのみを検索します。</source>
        <translation>Searches the chosen folder only.</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>選択フォルダ及その一階層下のサブフォルダを検索します。</source>
        <translation>Searches the chosen folder and its subfolders one level down.</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>３階層下まで検索します。</source>
        <translation>Searches down to 3 levels.</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>４階層下まで検索します。</source>
        <translation>Searches down to 4 levels.</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>５階層下まで検索します。</source>
        <translation>Searches down to 5 levels.</translation>
    </message>
    <message>
        <source>ファイル名の先頭の数字を無視</source>
        <translation>Ignore Leading Digits of File Names</translation>
    </message>
    <message>
        <source>ソート時にファイル名の先頭に来る数字を無視します。</source>
        <translation>Ignores the digits at the start of file names when sorting.</translation>
    </message>
    <message>
        <source>終了時確認を非表示</source>
        <translation>No Exit Confirmation</translation>
    </message>
    <message>
        <source>終了時の確認ダイアログを非表示にします</source>
        <translation>Does not ask before exiting</translation>
    </message>
    <message>
        <source>再生曲を通知</source>
        <translation>Announce Playing Track</translation>
    </message>
    <message>
        <source>再生を始めた曲をデスクトップの通知で知らせます。</source>
        <translation>Shows a desktop notification when a track starts playing.</translation>
    </message>
    <message>
        <source>終了時リストを保存</source>
        <translation>Keep List on Exit</translation>
    </message>
    <message>
        <source>終了時の&quot;全リスト&quot;の内容を保存、次回起動時に読み込みます。</source>
        <translation>Keeps the full list on exit and loads it at the next start.</translation>
    </message>
    <message>
        <source>表示する言語を英語にします。次回の起動から有効になります。</source>
        <translation>Shows the interface in English. Takes effect at the next start.</translation>
    </message>
    <message>
        <source>算出</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>選択・取得されているアイテムの合計サイズ及び再生時間を計算します。</source>
        <translation>Computes the total size and time of the selected items.</translation>
    </message>
    <message>
        <source>合計の算出</source>
        <translation>Compute totals</translation>
    </message>
    <message>
        <source>データ固定</source>
        <translation>Hold data</translation>
    </message>
    <message>
        <source>パスをコピー</source>
        <translation>Copy path</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>一つ上のフォルダを開く</source>
        <translation>Open containing folder</translation>
    </message>
    <message>
        <source>ツール バー</source>
        <translation>Tool Bar</translation>
    </message>
    <message>
        <source>ドロップ</source>
        <translation>Drop</translation>
    </message>
    <message>
        <source>終了してもよろしいですか？</source>
        <translation>Do you really want to exit?</translation>
    </message>
    <message>
        <source>再生 / 一時停止</source>
        <translation>Play / Pause</translation>
    </message>
    <message>
        <source>再生位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>過去に開いたファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>過去に開いたフォルダ</source>
        <translation>Recent Folders</translation>
    </message>
    <message>
        <source>save</source>
        <translation>save</translation>
    </message>
    <message>
        <source>情報の取得</source>
        <translation>Get Information</translation>
    </message>
    <message>
        <source>ファイル操作</source>
        <translation>File Operations</translation>
    </message>
    <message>
        <source>選択範囲をソート(&amp;S)</source>
        <translation>&amp;Sort Selection</translation>
    </message>
    <message>
        <source>ツールバー</source>
        <translation>Tool Bars</translation>
    </message>
    <message>
        <source>カラム</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>容量の単位</source>
        <translation>Size Unit</translation>
    </message>
    <message>
        <source>時間の単位</source>
        <translation>Time Unit</translation>
    </message>
    <message>
        <source>タグ</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>フォルダ検索する階層</source>
        <translation>Folder Search Depth</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>操作(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>リスト操作</source>
        <translation>List</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>検索(&amp;S)</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>playbar</source>
        <translation>playbar</translation>
    </message>
    <message>
        <source>プレイ バー</source>
        <translation>Play Bar</translation>
    </message>
    <message>
        <source>前の曲</source>
        <translation>Previous track</translation>
    </message>
    <message>
        <source>次の曲</source>
        <translation>Next track</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source> 0 件</source>
        <translation> 0 items</translation>
    </message>
    <message>
        <source>全アイテム数</source>
        <translation>Number of items</translation>
    </message>
    <message>
        <source> 0 件選択</source>
        <translation> 0 selected</translation>
    </message>
    <message>
        <source>選択アイテム数</source>
        <translation>Number of selected items</translation>
    </message>
    <message>
        <source>全表示</source>
        <translation>Full list</translation>
    </message>
    <message>
        <source>ﾚﾃﾞｨ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>フォルダを選択してください。</source>
        <translation>Please choose a folder.</translation>
    </message>
    <message>
        <source>すべての</source>
        <translation>All</translation>
    </message>
    <message>
        <source>全リスト</source>
        <translation>Full list</translation>
    </message>
    <message>
        <source>検索リスト</source>
        <translation>Search list</translation>
    </message>
    <message>
        <source>開くアプリケーション</source>
        <translation>Application to open with</translation>
    </message>
    <message>
        <source>バイト</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>以上</source>
        <translation>or more</translation>
    </message>
    <message>
        <source>以下</source>
        <translation>or less</translation>
    </message>
    <message>
        <source>整数を入力してください。</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>演奏時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>TAG-ジャンル</source>
        <translation>TAG-Genre</translation>
    </message>
    <message>
        <source>TAG-年</source>
        <translation>TAG-Year</translation>
    </message>
    <message>
        <source>タグなし</source>
        <translation>No tag</translation>
    </message>
    <message>
        <source>文字コード %1 には変換できません。</source>
        <translation>Cannot convert to the encoding %1.</translation>
    </message>
    <message>
        <source>リストファイルが互いを何度も指しているため、一部を読み込みませんでした。</source>
        <translation>Some list files were not read: the lists name one another too many times.</translation>
    </message>
    <message>
        <source>フォルダへのリンクが多すぎるため、一部のフォルダを読み込みませんでした。</source>
        <translation>Some folders were not read: there are too many links to folders.</translation>
    </message>
    <message>
        <source>リストファイルが大きすぎるため、読み込みませんでした。</source>
        <translation>The list file was not read: it is too large.</translation>
    </message>
    <message>
        <source>テンプレートファイルが大きすぎるため、読み込みませんでした。</source>
        <translation>The template file was not read: it is too large.</translation>
    </message>
    <message>
        <source>メモリが足りないため、処理を中止しました。</source>
        <translation>The operation was stopped: there is not enough memory.</translation>
    </message>
    <message>
        <source>前回保存したリストは一部しか読み込まれていません。
現在のリストで上書きしてもよろしいですか？</source>
        <translation>The list saved last time was read only in part.
Overwrite it with the current list?</translation>
    </message>
    <message>
        <source>フォルダ名が不正です。正しいフォルダ名を入力してください。</source>
        <translation>The folder name is not valid. Please enter a valid folder name.</translation>
    </message>
    <message>
        <source>次の名前は文字コード %1 で書き出せないため、保存しませんでした。

%2</source>
        <translation>Not saved: the following names cannot be written in the encoding %1.

%2</translation>
    </message>
    <message>
        <source>次の名前は改行を含むため、保存しませんでした。

%1</source>
        <translation>Not saved: the following names contain a line break.

%1</translation>
    </message>
    <message>
        <source>ごみ箱へ移動できませんでした。
%1
%2</source>
        <translation>Could not move to the trash.
%1
%2</translation>
    </message>
    <message>
        <source>重複は見つかりませんでした。
	処理時間 %1秒</source>
        <translation>No duplicates found.
	Time taken: %1 s</translation>
    </message>
    <message>
        <source>%1件の重複がありました。
	処理時間 %2秒</source>
        <translation>%1 duplicates found.
	Time taken: %2 s</translation>
    </message>
    <message>
        <source>メニュー バー</source>
        <translation>Menu bar</translation>
    </message>
    <message>
        <source>ステータス バー</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>ウィンドウの大きさ</source>
        <translation>Window size</translation>
    </message>
    <message>
        <source>データ バー</source>
        <translation>Data bar</translation>
    </message>
    <message>
        <source>その他のボタン</source>
        <translation>More buttons</translation>
    </message>
    <message>
        <source>検索対象</source>
        <translation>Search in</translation>
    </message>
    <message>
        <source>含む/含まない</source>
        <translation>Contains / does not contain</translation>
    </message>
    <message>
        <source>ファイルの存在</source>
        <translation>File existence</translation>
    </message>
    <message>
        <source>検索する文字列</source>
        <translation>Search text</translation>
    </message>
    <message>
        <source>選択なし</source>
        <translation>Nothing selected</translation>
    </message>
    <message>
        <source>ファイルの種類</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>選択中のアイテム</source>
        <translation>Selected item</translation>
    </message>
</context>
<context>
    <name>torvane::CAboutBox</name>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>連絡先</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>一次配布先</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 Torvane developers</source>
        <translation>Copyright (C) 2026 Torvane developers</translation>
    </message>
</context>
<context>
    <name>torvane::CAddItemDialog</name>
    <message>
        <source>拡張子判別を無視</source>
        <translation>Ignore extensions</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>アイテムの追加</source>
        <translation>Add Items</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>追加するファイルまたはフォルダ</source>
        <translation>File or folder to add</translation>
    </message>
</context>
<context>
    <name>torvane::CColumnDialog</name>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>カラムの表示/非表示設定</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>カラム</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
</context>
<context>
    <name>torvane::CCommands</name>
    <message>
        <source>全リストに追加</source>
        <translation>Add to full list</translation>
    </message>
    <message>
        <source>検索リストに追加</source>
        <translation>Add to Search List</translation>
    </message>
    <message>
        <source>フォルダを選択してください。</source>
        <translation>Please choose a folder.</translation>
    </message>
</context>
<context>
    <name>torvane::CCustomSaveDialog</name>
    <message>
        <source>相対パスで保存</source>
        <translation>Save relative paths</translation>
    </message>
    <message>
        <source>拡張M3U</source>
        <translation>Extended M3U</translation>
    </message>
    <message>
        <source>曲ごとに #EXTINF 行（再生時間・アーティスト - タイトル）を書きます</source>
        <translation>Writes an #EXTINF line (time, artist - title) for each track</translation>
    </message>
    <message>
        <source>ベースパス</source>
        <translation>Base path</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>HTML保存/テンプレート：</source>
        <translation>HTML template:</translation>
    </message>
</context>
<context>
    <name>torvane::CDropWindow</name>
    <message>
        <source>ドロップダイアログ</source>
        <translation>Drop window</translation>
    </message>
</context>
<context>
    <name>torvane::CExtSearchDialog</name>
    <message>
        <source>拡張子 ：</source>
        <translation>Extension:</translation>
    </message>
    <message>
        <source>ファイルサイズ ：</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>演奏時間 ：</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>ビットレート ：</source>
        <translation>Bit rate:</translation>
    </message>
    <message>
        <source>サンプリングレート ：</source>
        <translation>Sampling rate:</translation>
    </message>
    <message>
        <source>拡張検索</source>
        <translation>Extended Search</translation>
    </message>
    <message>
        <source>検索範囲 ：</source>
        <translation>Search in:</translation>
    </message>
    <message>
        <source>検索文字列 ：</source>
        <translation>Search text:</translation>
    </message>
    <message>
        <source>条件 ：</source>
        <translation>Condition:</translation>
    </message>
    <message>
        <source>文字列を</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>files</translation>
    </message>
    <message>
        <source>検索元：</source>
        <translation>Search from:</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>拡張条件指定</source>
        <translation>Extended conditions</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>0以下でVBRのみ</source>
        <translation>0 or less: VBR only</translation>
    </message>
    <message>
        <source>ファイルの存在</source>
        <translation>File existence</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>ファイルサイズ (KB)</source>
        <translation>File size (KB)</translation>
    </message>
    <message>
        <source>ファイルサイズの条件</source>
        <translation>File size bound</translation>
    </message>
    <message>
        <source>演奏時間 (分)</source>
        <translation>Time (minutes)</translation>
    </message>
    <message>
        <source>演奏時間 (秒)</source>
        <translation>Time (seconds)</translation>
    </message>
    <message>
        <source>演奏時間の条件</source>
        <translation>Time bound</translation>
    </message>
    <message>
        <source>ビットレート (kbit)</source>
        <translation>Bit rate (kbit)</translation>
    </message>
    <message>
        <source>ビットレートの条件</source>
        <translation>Bit rate bound</translation>
    </message>
    <message>
        <source>サンプリングレート (Hz)</source>
        <translation>Sampling rate (Hz)</translation>
    </message>
    <message>
        <source>サンプリングレートの条件</source>
        <translation>Sampling rate bound</translation>
    </message>
</context>
<context>
    <name>torvane::CExtensionDialog</name>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>有効</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>拡張子設定</source>
        <translation>Extensions</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>開くアプリケーション</source>
        <translation>Application to open with</translation>
    </message>
    <message>
        <source>拡張子の一覧</source>
        <translation>Extensions</translation>
    </message>
</context>
<context>
    <name>torvane::CFolderSaveDialog</name>
    <message>
        <source>すべて選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>選択解除</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>フルパスで出力</source>
        <translation>Write full paths</translation>
    </message>
    <message>
        <source>m3uファイルのリストを作成</source>
        <translation>Write a list of the m3u files</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message numerus="yes">
        <source>次のファイルに書き出します。</source>
        <translation>
            <numerusform>Writes to the following file.</numerusform>
            <numerusform>Writes to the following files.</numerusform>
        </translation>
    </message>
    <message>
        <source>保存先</source>
        <translation>Save to</translation>
    </message>
    <message>
        <source>書き出すファイル</source>
        <translation>Files to write</translation>
    </message>
</context>
<context>
    <name>torvane::CFolderSearchDialog</name>
    <message>
        <source>拡張子 ：</source>
        <translation>Extension:</translation>
    </message>
    <message>
        <source>ファイルサイズ ：</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>フォルダから検索して追加</source>
        <translation>Search Folder and Add</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>検索するフォルダ：</source>
        <translation>Folder to search:</translation>
    </message>
    <message>
        <source>検索範囲 ：</source>
        <translation>Search in:</translation>
    </message>
    <message>
        <source>検索文字列 ：</source>
        <translation>Search text:</translation>
    </message>
    <message>
        <source>条件 ：</source>
        <translation>Condition:</translation>
    </message>
    <message>
        <source>文字列を</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>(per file)</translation>
    </message>
    <message>
        <source>フォルダを選択してください。</source>
        <translation>Please choose a folder.</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>ファイルサイズ (KB)</source>
        <translation>File size (KB)</translation>
    </message>
    <message>
        <source>ファイルサイズの条件</source>
        <translation>File size bound</translation>
    </message>
</context>
<context>
    <name>torvane::CListModel</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>The file is missing</translation>
    </message>
    <message>
        <source>再生中</source>
        <translation>Playing</translation>
    </message>
</context>
<context>
    <name>torvane::CProgressWindow</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>Working</translation>
    </message>
    <message>
        <source>進捗</source>
        <translation>Progress</translation>
    </message>
</context>
<context>
    <name>torvane::CPropertiesDialog</name>
    <message>
        <source>%1 のプロパティ</source>
        <translation>Properties of %1</translation>
    </message>
    <message>
        <source>パス</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>更新日時</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>アクセス権</source>
        <translation>Permissions</translation>
    </message>
    <message>
        <source>MIME タイプ</source>
        <translation>MIME type</translation>
    </message>
    <message>
        <source>ファイルタイプ</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>ビットレート</source>
        <translation>Bit rate</translation>
    </message>
    <message>
        <source>サンプリングレート</source>
        <translation>Sampling rate</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>torvane::CTorvaneView</name>
    <message>
        <source> %1 件選択</source>
        <translation> %1 selected</translation>
    </message>
    <message>
        <source>複数選択中</source>
        <translation>Several selected</translation>
    </message>
    <message>
        <source>全リスト</source>
        <translation>Full list</translation>
    </message>
    <message>
        <source>検索リスト</source>
        <translation>Search list</translation>
    </message>
</context>
</TS>
