<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
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
        <translation>File di origine non specificato</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>File di destinazione non specificato</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Impossibile salvare il file</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>Impossibile salvare la registrazione sullo stesso file</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Salvataggio completato</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Questi file esistono già. Sostituirli?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Sostituisci</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Imposta prima i segni di inizio e fine con I e O</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Nessun dato GPS</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>Questa registrazione non ha una traccia di posizione</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Mappa non connessa</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>Il servizio mappe non è raggiungibile</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tutte</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Parcheggio</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Anteriore</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Posteriore</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Originale</translation>
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
        <translation>Attendere...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Apertura del file</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Salvataggio del file</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Apri cartella</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Riproduci/Pausa</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Precedente</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Successiva</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Più scuro</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Più chiaro</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predefinita</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Più veloce</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Più lento</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Alza</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abbassa</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Disattiva/attiva audio</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Apri cartelle</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Riproduci o metti in pausa</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Registrazione precedente</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Registrazione successiva</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Velocità di riproduzione normale</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Luminosità normale</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Disattiva o attiva l&apos;audio</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Alza il volume</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Abbassa il volume</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>Indietro di 5 secondi (un fotogramma indietro nella ricerca per fotogramma)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>Avanti di 5 secondi (un fotogramma avanti nella ricerca per fotogramma)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Un fotogramma indietro</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Un fotogramma avanti</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Marcatore di evento precedente</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Marcatore di evento successivo</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Questo elenco di scorciatoie</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>File video(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Clip: segno di inizio alla posizione di riproduzione</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Clip: segno di fine alla posizione di riproduzione</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>Mappa</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Latitudine:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Longitudine:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>N.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Ora</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tutte</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Parcheggio</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Esporta percorso (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Esporta percorso (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Esporta percorso</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>Percorsi GPS (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valori separati da virgola (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>Impossibile salvare il percorso.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Sconosciuto-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Registrazioni</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Viaggi</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Nessun file disponibile per la riproduzione</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>File non valido</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Precedente</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Indietro (riavvolgimento)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Riproduci/Pausa</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avanti</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Successiva</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Fotogramma</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Velocità predefinita</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocità di riproduzione</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Luminosità predefinita</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Disattiva/attiva audio</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>Velocità GPS (può differire dalla velocità effettiva)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Schermo intero/normale</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Fotogramma</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocità</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Anteriore</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>Vista 360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Posteriore</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tutti</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Originale</translation>
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
        <translation>Imposta segno di inizio</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Imposta segno di fine</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Cancella segni</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Salva file</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Salvare la registrazione?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Sfoglia</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Originale</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Separa</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Clip</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Anteriore</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Posteriore</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Interno</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Esatta (ricodifica)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Una clip senza perdita inizia dal fotogramma chiave prima del segno di inizio.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Pacchetto di prova</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Salva clip</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Inizio %1   Fine %2   Durata %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Salva il tratto tra i segni di inizio e fine</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Imposta prima i segni di inizio e fine con I e O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Informazioni sulla registrazione</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Immagine</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Canale 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>Canale 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Canale 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>Dati di posizione</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitudine</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitudine</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mappa</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Informazioni G-sensor</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Valore G-sensor</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Scorciatoie da tastiera</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Tasto</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Azione</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Cattura eseguita! Aprire la cartella?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Apri cartella</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Salva file</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Cattura</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Stampa</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Schermo intero/normale</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Riduci a icona</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
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
        <translation>Inizio</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fine</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durata</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distanza</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventi</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Ricerca dei viaggi...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Registrazioni: %1</translation>
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
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocità di riproduzione</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
</context>
</TS>
