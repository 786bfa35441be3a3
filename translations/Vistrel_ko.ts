<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>버전</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>확인</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>입력 파일이 지정되지 않았습니다.</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>출력 파일이 지정되지 않았습니다.</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>파일을 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>원본 영상 파일에 덮어쓸 수 없습니다.</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>저장이 완료되었습니다.</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>다음 파일이 이미 있습니다. 바꾸시겠습니까?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>바꾸기</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>먼저 I와 O 키로 시작 표시와 끝 표시를 설정하세요</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>GPS 데이터 없음</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>이 영상에는 위치 기록이 없습니다</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>지도 연결 안 됨</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>지도 서비스에 연결할 수 없습니다</translation>
    </message>
    <message>
        <source>All</source>
        <translation>전체</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>주행</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>주차</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>전방</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>후방</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>원본</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>파노라마</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>스테레오</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>잠시 기다려 주십시오...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>파일을 여는 중</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>파일을 저장하는 중</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>폴더 열기</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>재생/일시 정지</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>이전 영상</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>다음 영상</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>어둡게</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>밝게</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>기본값</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>빠르게</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>느리게</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>크게</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>작게</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>음소거 켜기/끄기</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>폴더 열기</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>재생 또는 일시 정지</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>이전 영상</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>다음 영상</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>기본 재생 속도</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>기본 밝기</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>소리 끄기/켜기</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>볼륨 크게</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>볼륨 작게</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5초 뒤로 (프레임 탐색 중에는 1프레임 뒤로)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5초 앞으로 (프레임 탐색 중에는 1프레임 앞으로)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>1프레임 뒤로</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>1프레임 앞으로</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>이전 이벤트 지점</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>다음 이벤트 지점</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>단축키 목록 보기</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>동영상 파일(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>클립: 재생 위치에 시작 표시</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>클립: 재생 위치에 끝 표시</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>지도</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>위도:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>경도:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>날짜</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>유형</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>재생 목록</translation>
    </message>
    <message>
        <source>All</source>
        <translation>전체</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>주행</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>주차</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>경로 내보내기 (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>경로 내보내기 (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>경로 내보내기</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS 경로 (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>쉼표로 구분된 값 (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>경로를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>알 수 없음-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>녹화</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>여정</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>재생할 파일이 없습니다.</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>잘못된 파일입니다.</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>이전 영상</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>뒤로(되감기)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>재생/일시 정지</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>앞으로</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>다음 영상</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>프레임 탐색</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>기본 속도</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>재생 속도</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>기본 밝기</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>밝기</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>음소거 켜기/끄기</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>볼륨</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>GPS 속도 (실제 속도와 다를 수 있음)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>전체 화면/기본 화면</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>프레임</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>녹화 시간</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>재생 속도</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>전방</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>후방</translation>
    </message>
    <message>
        <source>All</source>
        <translation>전체</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>원본</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>파노라마</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>스테레오</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>시작 표시 설정</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>끝 표시 설정</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>표시 지우기</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>파일 저장</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>찾아보기</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>원본</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>채널별</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>구간</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>전방</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>후방</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>실내</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>정확하게 (재인코딩)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>무손실 구간은 시작 표시 앞의 키 프레임부터 시작합니다.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>증거 패키지</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>구간 저장</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>시작 %1   끝 %2   길이 %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>시작 표시와 끝 표시 사이의 구간을 저장합니다</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>먼저 I와 O 키로 시작 표시와 끝 표시를 설정하세요</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>녹화 정보</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>이미지</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>채널 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>위치 정보</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>위도</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>경도</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>지도</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>G센서 정보</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>G센서 값</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>키보드 단축키</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>키</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>기능</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>캡처했습니다. 폴더를 여시겠습니까?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>폴더 열기</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>파일 저장</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>캡처</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>인쇄</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>전체 화면/기본 화면</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>최소화</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>날짜</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>End</source>
        <translation>끝</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>길이</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>거리</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>여정을 찾는 중...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>녹화: %1</translation>
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
        <translation>밝기</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>재생 속도</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>볼륨</translation>
    </message>
</context>
</TS>
