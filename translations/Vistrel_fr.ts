<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
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
        <translation>Confirmer</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>Aucun fichier source indiqué</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>Aucun fichier de destination indiqué</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Impossible d&apos;enregistrer le fichier</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>L&apos;enregistrement ne peut pas être écrasé par lui-même</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Enregistré avec succès</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Ces fichiers existent déjà. Les remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Placez d'abord les repères de début et de fin avec I et O</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Pas de données GPS</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>Cet enregistrement n&apos;a pas de trace de position</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Carte non connectée</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>Le service de cartes est injoignable</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Conduite</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Parking</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Avant</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Arrière</translation>
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
        <translation>Stéréo</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Ouverture du fichier</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Enregistrement du fichier</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir un dossier</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Lecture/Pause</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Assombrir</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Éclaircir</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Plus lent</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Plus fort</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Moins fort</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Activer/désactiver la sourdine</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Ouvrir des fichiers</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Ouvrir des dossiers</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Lire ou mettre en pause</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Enregistrement précédent</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Enregistrement suivant</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Vitesse de lecture normale</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Luminosité normale</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Couper ou rétablir le son</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Augmenter le volume</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Baisser le volume</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5 secondes en arrière (une image en arrière en mode image par image)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5 secondes en avant (une image en avant en mode image par image)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Une image en arrière</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Une image en avant</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Marque d&apos;événement précédente</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Marque d&apos;événement suivante</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Cette liste de raccourcis</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Fichiers vidéo (*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Extrait : marque de début à la position de lecture</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Extrait : marque de fin à la position de lecture</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Latitude&#xa0;:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Longitude&#xa0;:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
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
        <translation>Liste de lecture</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Conduite</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Stationnement</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Exporter la trace (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Exporter la trace (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Exporter la trace</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>Traces GPS (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valeurs séparées par des virgules (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>Impossible d&apos;enregistrer la trace.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Inconnu-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Enregistrements</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Trajets</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Aucun fichier à lire</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Fichier non valide</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Reculer (retour rapide)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Lecture/Pause</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avancer</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Image par image</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Vitesse par défaut</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Vitesse de lecture</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Luminosité par défaut</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Activer/désactiver la sourdine</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>Vitesse GPS (peut différer de la vitesse réelle)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Plein écran/Normal</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Temps d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Vitesse de lecture</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Avant</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>Vue 360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Arrière</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous les canaux</translation>
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
        <translation>Stéréo</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>Placer la marque de début</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Placer la marque de fin</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Effacer les marques</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Enregistrer le fichier</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Voulez-vous enregistrer&#xa0;?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Séparer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Extrait</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Avant</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Arrière</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Intérieur</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Exact (réencodé)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Un extrait sans perte commence à l'image clé qui précède le repère de début.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Dossier de preuve</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Enregistrer l'extrait</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Début %1   Fin %2   Durée %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Enregistrer la partie entre les repères de début et de fin</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Placez d'abord les repères de début et de fin avec I et O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Informations sur l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Canal 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>Canal 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Canal 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>Données de position</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Informations du capteur G</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Valeur du capteur G</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Touche</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Capture effectuée&#xa0;! Voulez-vous ouvrir le dossier&#xa0;?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir un dossier</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Enregistrer les fichiers</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Plein écran/Normal</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Recherche des trajets...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Enregistrements : %1</translation>
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
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Vitesse de lecture</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
</context>
</TS>
