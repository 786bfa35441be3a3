<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Wersja</translation>
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
        <translation>Nie określono pliku wejściowego</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>Nie określono pliku wyjściowego</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Nie udało się zapisać pliku</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>Nie można zapisać nagrania do tego samego pliku</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Zapisano pomyślnie</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Te pliki już istnieją. Czy je zastąpić?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Zastąp</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Najpierw ustaw znaczniki początku i końca klawiszami I i O</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Brak danych GPS</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>To nagranie nie ma śladu położenia</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Mapa niepołączona</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>Usługa map jest nieosiągalna</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Jazda</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Zdarzenie</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Parkowanie</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Przód</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Tył</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Oryginał</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>Panorama</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>Proszę czekać...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Otwieranie pliku</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Zapisywanie pliku</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Otwórz plik</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Otwórz folder</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Odtwórz/wstrzymaj</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Poprzednie</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Następne</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Ciemniej</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Jaśniej</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Domyślna</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Szybciej</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Wolniej</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Głośniej</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Ciszej</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Wyciszenie wł./wył.</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Otwórz pliki</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Otwórz foldery</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Odtwórz lub wstrzymaj</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Poprzednie nagranie</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Następne nagranie</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Normalna szybkość odtwarzania</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Normalna jasność</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Wyłącz lub włącz dźwięk</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Zwiększ głośność</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Zmniejsz głośność</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5 sekund do tyłu (jedna klatka do tyłu w wyszukiwaniu klatek)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5 sekund do przodu (jedna klatka do przodu w wyszukiwaniu klatek)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Jedna klatka do tyłu</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Jedna klatka do przodu</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Poprzedni znacznik zdarzenia</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Następny znacznik zdarzenia</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Ta lista skrótów</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otwórz</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Pliki wideo(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Klip: znacznik początku w miejscu odtwarzania</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Klip: znacznik końca w miejscu odtwarzania</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Szerokość:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Długość:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Godzina</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>Lista odtwarzania</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Jazda</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Zdarzenie</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Parkowanie</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Eksportuj trasę (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Eksportuj trasę (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Eksport trasy</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>Trasy GPS (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Wartości rozdzielone przecinkami (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>Nie udało się zapisać trasy.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Nieznany-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Nagrania</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Trasy</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Brak pliku do odtworzenia</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Nieprawidłowy plik</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Poprzednie</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Do tyłu (przewijanie)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Odtwórz/wstrzymaj</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Do przodu</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Następne</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Klatka</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Domyślna szybkość</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Szybkość odtwarzania</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Domyślna jasność</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Jasność</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Wyciszenie wł./wył.</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Głośność</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>Prędkość GPS (może różnić się od rzeczywistej)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Pełny ekran/normalny</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Klatka</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Czas nagrania</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Szybkość</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Przód</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>Widok 360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Tył</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Oryginał</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>Panorama</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>Ustaw znacznik początku</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Ustaw znacznik końca</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Usuń znaczniki</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Zapisz plik</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Czy zapisać nagranie?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Przeglądaj</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Oryginał</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Rozdziel</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Klip</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Przód</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Tył</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Wnętrze</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Dokładnie (ponowne kodowanie)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Klip bezstratny zaczyna się od klatki kluczowej przed znacznikiem początku.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Pakiet dowodowy</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Zapisz klip</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Początek %1   Koniec %2   Długość %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Zapisz odcinek między znacznikami początku i końca</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Najpierw ustaw znaczniki początku i końca klawiszami I i O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Informacje o nagraniu</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Obraz</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Kanał 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>Kanał 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Kanał 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>Dane o położeniu</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Szerokość geograficzna</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Długość geograficzna</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Dane G-sensora</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Wartość G-sensora</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Skróty klawiszowe</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Klawisz</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Działanie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Przechwycono! Czy otworzyć folder?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Otwórz plik</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Otwórz folder</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Zapisz pliki</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Przechwyć</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drukuj</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Pełny ekran/normalny</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimalizuj</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Koniec</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Dystans</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Zdarzenia</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Wyszukiwanie tras...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Nagrania: %1</translation>
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
        <translation>Jasność</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Szybkość odtwarzania</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Głośność</translation>
    </message>
</context>
</TS>
