<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>未指定輸入檔案</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>未指定輸出檔案</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>無法儲存檔案</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>無法將錄影儲存到原始錄影檔案上</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>儲存成功</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>下列檔案已存在。是否取代？</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>取代</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>請先用 I 和 O 設定起點標記和終點標記</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>無GPS資料</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>此錄影沒有位置軌跡</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>地圖未連線</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>無法連線地圖服務</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>行車</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>停車</translation>
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
        <translation>環景</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>全景</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>立體</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>請稍候...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>正在開啟檔案</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>正在儲存檔案</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>開啟資料夾</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暫停</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一段錄影</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一段錄影</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>調暗</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>調亮</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>加快</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>減慢</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>調高</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>調低</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>靜音 開/關</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>開啟資料夾</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>播放或暫停</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>上一段錄影</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>下一段錄影</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>預設播放速度</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>預設亮度</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>關閉/開啟聲音</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>調高音量</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>調低音量</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>倒退5秒 (逐格播放時倒退1個影格)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>前進5秒 (逐格播放時前進1個影格)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>倒退1個影格</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>前進1個影格</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>上一個事件標記</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>下一個事件標記</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>快速鍵清單</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>影片檔案(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>片段：在播放位置設定入點</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>片段：在播放位置設定出點</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>地圖</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>緯度:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>經度:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>編號</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>類型</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>播放清單</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>行車</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>停車</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>匯出軌跡 (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>匯出軌跡 (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>匯出軌跡</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS 軌跡 (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>逗號分隔值 (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>無法儲存軌跡。</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>未知-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>錄影</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>行程</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>沒有可播放的檔案</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>無效的檔案</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>上一段錄影</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>倒退(倒轉)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暫停</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前進</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一段錄影</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>逐格播放</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>預設速度</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>播放速度</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>預設亮度</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>靜音 開/關</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>GPS 速度 (可能與實際速度不同)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>全螢幕/一般</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>影格</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>錄影時間</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>播放速度</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前方</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°環景</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>後方</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>全景</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>立體</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>設定入點</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>設定出點</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>清除標記</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>是否要儲存？</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>瀏覽</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始檔案</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>分離通道</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>片段</translation>
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
        <translation>車內</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>精確 (重新編碼)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>無損片段從起點標記之前的關鍵影格開始。</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>證據包</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>儲存片段</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>起點 %1   終點 %2   長度 %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>儲存起點標記與終點標記之間的片段</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>請先用 I 和 O 設定起點標記和終點標記</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>錄影資訊</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>影像</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>通道 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>通道 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>通道 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>位置資料</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>緯度</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>經度</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地圖</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>G-Sensor 資訊</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>G-Sensor 數值</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>鍵盤快速鍵</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>按鍵</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>動作</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>已擷取畫面！是否開啟資料夾？</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>開啟資料夾</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>擷取畫面</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>列印</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>全螢幕/一般</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>時長</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>正在尋找行程...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>錄影：%1</translation>
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
        <translation>亮度</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>播放速度</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
</context>
</TS>
