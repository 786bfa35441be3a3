<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>Keine Eingabedatei angegeben</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>Keine Ausgabedatei angegeben</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Die Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>Die Aufnahme kann nicht über sich selbst gespeichert werden</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Erfolgreich gespeichert</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Diese Dateien sind bereits vorhanden. Ersetzen?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Zuerst Anfangs- und Endmarke mit I und O setzen</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Keine GPS-Daten</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>Diese Aufnahme hat keine Positionsdaten</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Karte nicht verbunden</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>Der Kartendienst ist nicht erreichbar</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Fahrt</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Parken</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Vorne</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Hinten</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
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
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Datei wird geöffnet</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Datei wird gespeichert</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorherige Aufnahme</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächste Aufnahme</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Dunkler</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Heller</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Lauter</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Leiser</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Stummschaltung ein/aus</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Dateien öffnen</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Wiedergeben oder pausieren</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Vorherige Aufnahme</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Nächste Aufnahme</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Normale Wiedergabegeschwindigkeit</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Normale Helligkeit</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Ton aus- oder einschalten</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Lauter</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Leiser</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5 Sekunden zurück (im Bild-für-Bild-Modus ein Bild zurück)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5 Sekunden vor (im Bild-für-Bild-Modus ein Bild vor)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Ein Bild zurück</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Ein Bild vor</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Vorherige Ereignismarke</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Nächste Ereignismarke</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Diese Liste der Tastenkürzel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Videodateien (*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Ausschnitt: Anfangsmarke an der Wiedergabeposition</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Ausschnitt: Endmarke an der Wiedergabeposition</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Länge:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
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
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Fahrt</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Parken</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Strecke exportieren (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Strecke exportieren (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Strecke exportieren</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS-Strecken (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Kommagetrennte Werte (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>Die Strecke konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Unbekannt-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Fahrten</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Keine abspielbare Datei vorhanden</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Ungültige Datei</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Vorherige Aufnahme</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Rückwärts (Rücklauf)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächste Aufnahme</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Bild für Bild</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Standardgeschwindigkeit</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Wiedergabegeschwindigkeit</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Standardhelligkeit</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Stummschaltung ein/aus</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>GPS-Geschwindigkeit (kann von der tatsächlichen Geschwindigkeit abweichen)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Vollbild/Normal</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Aufnahmezeit</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Wiedergabegeschwindigkeit</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Vorne</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°-Ansicht</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Hinten</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle Kanäle</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
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
        <translation>Anfangsmarke setzen</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Endmarke setzen</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Marken löschen</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Aufnahme speichern?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Aufteilen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Ausschnitt</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Vorne</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Hinten</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Innen</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Exakt (neu kodiert)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Ein verlustfreier Ausschnitt beginnt beim Schlüsselbild vor der Anfangsmarke.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Beweispaket</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Ausschnitt speichern</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Anfang %1   Ende %2   Länge %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Den Abschnitt zwischen Anfangs- und Endmarke speichern</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Zuerst Anfangs- und Endmarke mit I und O setzen</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Aufnahmeinformationen</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Kanal 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>Kanal 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Kanal 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>Positionsdaten</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>G-Sensor-Informationen</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>G-Sensor-Wert</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Taste</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Schnappschuss gespeichert! Ordner öffnen?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Dateien speichern</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Schnappschuss</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Vollbild/Normal</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Strecke</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Fahrten werden gesucht...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Aufnahmen: %1</translation>
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
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Wiedergabegeschwindigkeit</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
</context>
</TS>
