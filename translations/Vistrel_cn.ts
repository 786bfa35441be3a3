<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
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
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>未指定输入文件</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>未指定输出文件</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>保存文件失败</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>不能将录像保存到原录像文件上</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>以下文件已存在。是否替换？</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>请先用 I 和 O 设置起点标记和终点标记</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>无GPS数据</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>此录像没有位置轨迹</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>地图未连接</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>无法连接地图服务</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>行车</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>停车</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前方</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>后方</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>环视</translation>
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
        <translation>立体</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>请稍候...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>正在打开文件</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>正在保存文件</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暂停</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个录像</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个录像</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>调暗</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>调亮</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>加快</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>减慢</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>增大</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>减小</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>静音 开/关</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>播放或暂停</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>上一个录像</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>下一个录像</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>默认播放速度</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>默认亮度</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>关闭/打开声音</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>增大音量</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>减小音量</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>后退5秒 (逐帧模式下后退1帧)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>前进5秒 (逐帧模式下前进1帧)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>后退1帧</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>前进1帧</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>上一个事件标记</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>下一个事件标记</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>快捷键列表</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>视频文件(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>片段：在播放位置设置入点</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>片段：在播放位置设置出点</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>纬度:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>经度:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>行车</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>停车</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>导出轨迹 (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>导出轨迹 (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>导出轨迹</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS 轨迹 (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>逗号分隔值 (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>无法保存轨迹。</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>未知-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>录像</translation>
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
        <translation>没有可播放的文件</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>无效的文件</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>上一个录像</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>后退(快退)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暂停</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个录像</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>逐帧</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>默认速度</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>播放速度</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>默认亮度</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>静音 开/关</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>GPS 速度 (可能与实际速度不同)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>全屏/正常</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>录像时间</translation>
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
        <translation>360°环视</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>后方</translation>
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
        <translation>立体</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>设置入点</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>设置出点</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>清除标记</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>是否保存？</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始文件</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>分离通道</translation>
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
        <translation>后方</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>车内</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>精确 (重新编码)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>无损片段从起点标记之前的关键帧开始。</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>证据包</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>保存片段</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>起点 %1   终点 %2   长度 %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>保存起点标记与终点标记之间的片段</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>请先用 I 和 O 设置起点标记和终点标记</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>录像信息</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>图像</translation>
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
        <translation>位置数据</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>纬度</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>经度</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>G-Sensor 信息</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>G-Sensor 数值</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>键盘快捷键</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>截图成功！是否打开文件夹？</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>全屏/正常</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
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
        <translation>开始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>正在查找行程...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>录像：%1</translation>
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
