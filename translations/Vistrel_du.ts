<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Versie</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>Bevestigen</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>Geen invoerbestand opgegeven</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>Geen uitvoerbestand opgegeven</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Het bestand kon niet worden opgeslagen</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>De opname kan niet over zichzelf worden opgeslagen</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Met succes opgeslagen</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Deze bestanden bestaan al. Vervangen?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Vervangen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Zet eerst de begin- en eindmarkering met I en O</translation>
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
        <translation>Geen GPS-gegevens</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>Deze opname heeft geen positiegegevens</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Kaart niet verbonden</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>De kaartdienst is niet bereikbaar</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Rijden</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Gebeurtenis</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Parkeren</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Voor</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Achter</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Origineel</translation>
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
        <translation>Even geduld...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Bestand wordt geopend</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Bestand wordt opgeslagen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Bestand openen</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Map openen</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Afspelen/Pauzeren</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorige</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Volgende</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Donkerder</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Lichter</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standaard</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Sneller</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langzamer</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Harder</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Zachter</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Dempen aan/uit</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Bestanden openen</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Mappen openen</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Afspelen of pauzeren</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Vorige opname</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Volgende opname</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Normale afspeelsnelheid</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Normale helderheid</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Geluid uit- of aanzetten</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Harder</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Zachter</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5 seconden terug (één frame terug in de frame-voor-framemodus)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5 seconden vooruit (één frame vooruit in de frame-voor-framemodus)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Eén frame terug</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Eén frame vooruit</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Vorige gebeurtenismarkering</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Volgende gebeurtenismarkering</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Deze lijst met sneltoetsen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Openen</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Videobestanden (*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Fragment: beginmarkering op de afspeelpositie</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Fragment: eindmarkering op de afspeelpositie</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>Kaart</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Breedte:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Lengte:</translation>
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
        <translation>Tijd</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>Afspeellijst</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Rijden</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Gebeurtenis</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Parkeren</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Route exporteren (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Route exporteren (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Route exporteren</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS-routes (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Kommagescheiden waarden (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>De route kon niet worden opgeslagen.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Onbekend-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Opnamen</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Ritten</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Geen afspeelbaar bestand</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Ongeldig bestand</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Vorige</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Achteruit (terugspoelen)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Afspelen/Pauzeren</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vooruit</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Volgende</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame voor frame</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Standaardsnelheid</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Afspeelsnelheid</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Standaardhelderheid</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helderheid</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Dempen aan/uit</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>GPS-snelheid (kan afwijken van de werkelijke snelheid)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Volledig scherm/Normaal</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Opnametijd</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Afspeelsnelheid</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Voorkant</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°-weergave</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Achterkant</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle kanalen</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Origineel</translation>
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
        <translation>Beginmarkering zetten</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Eindmarkering zetten</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Markeringen wissen</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Bestand opslaan</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Wilt u opslaan?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Bladeren</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Origineel</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Splitsen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Fragment</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Voor</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Achter</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Interieur</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Exact (opnieuw coderen)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Een verliesvrij fragment begint bij het sleutelbeeld vóór de beginmarkering.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Bewijspakket</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Fragment opslaan</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Begin %1   Einde %2   Lengte %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Het deel tussen de begin- en eindmarkering opslaan</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Zet eerst de begin- en eindmarkering met I en O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Opname-informatie</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Afbeelding</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Kanaal 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>Kanaal 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Kanaal 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>Positiegegevens</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breedte</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Lengte</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Kaart</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>G-sensorinformatie</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>G-sensorwaarde</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Sneltoetsen</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Toets</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Actie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Momentopname gemaakt! Wilt u de map openen?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Bestand openen</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Map openen</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Bestanden opslaan</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Momentopname</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Afdrukken</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Volledig scherm/Normaal</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimaliseren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
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
        <translation>Begin</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Einde</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duur</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Afstand</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Gebeurtenissen</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Ritten zoeken...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Opnamen: %1</translation>
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
        <translation>Helderheid</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Afspeelsnelheid</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
</context>
</TS>
