<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>No se ha indicado el archivo de entrada</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>No se ha indicado el archivo de salida</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>No se ha podido guardar el archivo</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>La grabación no se puede guardar sobre sí misma</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Guardado correctamente</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Estos archivos ya existen. ¿Desea reemplazarlos?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Primero fije las marcas de inicio y fin con I y O</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Sin datos GPS</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>Esta grabación no tiene recorrido de posición</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Mapa no conectado</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>No se puede acceder al servicio de mapas</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Conducción</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Aparcado</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Delantera</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Trasera</translation>
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
        <translation>Panorámica</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Estéreo</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>Espere, por favor...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Abriendo el archivo</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Guardando el archivo</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproducir/Pausar</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Oscurecer</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Aclarar</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Más rápido</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Más lento</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Activar/desactivar silencio</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Abrir archivos</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Abrir carpetas</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Reproducir o pausar</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Grabación anterior</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Grabación siguiente</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Velocidad de reproducción normal</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Brillo normal</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Desactivar o activar el sonido</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Subir el volumen</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Bajar el volumen</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>5 segundos atrás (un fotograma atrás en el modo fotograma a fotograma)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>5 segundos adelante (un fotograma adelante en el modo fotograma a fotograma)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Un fotograma atrás</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Un fotograma adelante</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Marca de evento anterior</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Marca de evento siguiente</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Esta lista de atajos</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Archivos de vídeo (*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Clip: marca de inicio en la posición de reproducción</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Clip: marca de fin en la posición de reproducción</translation>
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
        <translation>Latitud:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Longitud:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
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
        <translation>Lista de reproducción</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Conducción</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Aparcamiento</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Exportar recorrido (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Exportar recorrido (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Exportar recorrido</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>Recorridos GPS (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valores separados por comas (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>No se ha podido guardar el recorrido.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Desconocido-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Grabaciones</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Viajes</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>No hay archivos para reproducir</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Archivo no válido</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Retroceder (rebobinar)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproducir/Pausar</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avanzar</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Fotograma a fotograma</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Velocidad predeterminada</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocidad de reproducción</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Brillo predeterminado</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Activar/desactivar silencio</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>Velocidad GPS (puede diferir de la velocidad real)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Pantalla completa/Normal</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Fotograma</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Tiempo de grabación</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocidad de reproducción</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Delantero</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>Vista 360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Trasero</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos los canales</translation>
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
        <translation>Panorámica</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Estéreo</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>Poner marca de inicio</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Poner marca de fin</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Borrar marcas</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Guardar archivo</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>¿Desea guardar?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Separar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Clip</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Delantera</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Trasera</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Interior</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Exacto (recodificar)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Un clip sin pérdida empieza en el fotograma clave anterior a la marca de inicio.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Paquete de pruebas</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Guardar clip</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Inicio %1   Fin %2   Duración %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Guardar el tramo entre las marcas de inicio y fin</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Primero fije las marcas de inicio y fin con I y O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Información de la grabación</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Imagen</translation>
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
        <translation>Datos de posición</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitud</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitud</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Información del sensor G</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Valor del sensor G</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Tecla</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>¡Captura realizada! ¿Desea abrir la carpeta?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Guardar archivos</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Captura</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Pantalla completa/Normal</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distancia</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventos</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Buscando viajes...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Grabaciones: %1</translation>
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
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocidad de reproducción</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
</context>
</TS>
