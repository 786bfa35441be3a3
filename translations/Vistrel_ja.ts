<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>入力ファイルが指定されていません。</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>出力ファイルが指定されていません。</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>ファイルを保存できませんでした。</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>元の録画ファイルに上書きして保存することはできません。</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>保存しました。</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>次のファイルは既に存在します。置き換えますか？</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置き換え</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>先に I と O で開始マークと終了マークを設定してください</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>GPSデータなし</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>この録画には位置情報がありません</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>地図に接続されていません</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>地図サービスに接続できません</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>走行</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>イベント</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>駐車</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前方</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>後方</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360度</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>オリジナル</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>パノラマ</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>ステレオ</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>お待ちください...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>ファイルを開いています</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>ファイルを保存しています</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>再生/一時停止</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前の録画</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次の録画</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>暗く</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>明るく</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>速く</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>遅く</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上げる</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下げる</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>ミュート オン/オフ</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>再生または一時停止</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>前の録画</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>次の録画</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>標準の再生速度</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>標準の明るさ</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>ミュートのオン/オフ</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>音量を上げる</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>音量を下げる</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5秒戻る (フレーム送り中は1フレーム戻る)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5秒進む (フレーム送り中は1フレーム進む)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>1フレーム戻る</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>1フレーム進む</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>前のイベントマーク</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>次のイベントマーク</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>ショートカットキー一覧</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>動画ファイル(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>クリップ：再生位置にイン点</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>クリップ：再生位置にアウト点</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>緯度:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>経度:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>プレイリスト</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>走行</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>イベント</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>駐車</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>軌跡のエクスポート (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>軌跡のエクスポート (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>軌跡のエクスポート</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS軌跡 (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>カンマ区切り形式 (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>軌跡を保存できませんでした。</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>不明-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>録画</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>トリップ</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>再生できるファイルがありません。</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>無効なファイルです。</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>前の録画</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>戻る(巻き戻し)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>再生/一時停止</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次の録画</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>フレーム送り</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>標準速度</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>再生速度</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>標準の明るさ</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>ミュート オン/オフ</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>GPS速度 (実際の速度と異なる場合があります)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>全画面/標準</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>フレーム</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>録画時間</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>再生速度</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前方</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360度</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>後方</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>オリジナル</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>パノラマ</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>ステレオ</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>イン点を設定</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>アウト点を設定</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>マークを消去</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>ファイルの保存</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>保存しますか？</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>オリジナル</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>分割</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>クリップ</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前方</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>後方</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>車内</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>正確 (再エンコード)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>ロスレスのクリップは開始マーク直前のキーフレームから始まります。</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>証拠パッケージ</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>クリップを保存</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>開始 %1   終了 %2   長さ %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>開始マークと終了マークの間を保存します</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>先に I と O で開始マークと終了マークを設定してください</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>録画情報</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>チャンネル1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>チャンネル2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>チャンネル3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>位置情報</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>緯度</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>経度</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Gセンサー情報</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Gセンサー値</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>キーボードショートカット</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>キャプチャしました。フォルダーを開きますか？</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>ファイルの保存</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>キャプチャ</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>全画面/標準</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>長さ</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>イベント</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>トリップを検索中...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>録画: %1</translation>
    </message>
    <message>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
</context>
<context>
    <name>VideoDisplayWidget</name>
    <message>
        <source>Brightness</source>
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>再生速度</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
</context>
</TS>
