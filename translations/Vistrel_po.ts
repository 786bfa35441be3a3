<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
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
        <translation>Arquivo de entrada não especificado</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>Arquivo de saída não especificado</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Falha ao salvar o arquivo</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>Não é possível salvar a gravação no mesmo arquivo</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Salvo com sucesso</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Estes arquivos já existem. Deseja substituí-los?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Substituir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Defina primeiro as marcas de início e fim com I e O</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Sem dados de GPS</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>Esta gravação não tem trajeto de posição</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Mapa não conectado</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>Não foi possível acessar o serviço de mapas</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Dirigindo</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Estacionado</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Frontal</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Traseira</translation>
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
        <translation>Estéreo</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>Aguarde...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Abrindo o arquivo</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Salvando o arquivo</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Abrir arquivo</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir pasta</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproduzir/Pausar</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Próxima</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Escurecer</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Clarear</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Mais rápido</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Mais lento</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Aumentar</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Diminuir</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Ativar/desativar mudo</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Abrir arquivos</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Abrir pastas</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Reproduzir ou pausar</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Gravação anterior</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Próxima gravação</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Velocidade de reprodução normal</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Brilho normal</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Desativar ou ativar o som</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Aumentar o volume</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Diminuir o volume</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>Voltar 5 segundos (um quadro para trás na busca por quadro)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>Avançar 5 segundos (um quadro para frente na busca por quadro)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>Um quadro para trás</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>Um quadro para frente</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Marca de evento anterior</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Próxima marca de evento</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Esta lista de atalhos</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Arquivos de vídeo(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Clipe: marca de início na posição de reprodução</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Clipe: marca de fim na posição de reprodução</translation>
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
        <translation>Latitude:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Longitude:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>Nº</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
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
        <translation>Playlist</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Dirigindo</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Estacionado</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Exportar trajeto (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Exportar trajeto (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Exportar trajeto</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>Trajetos GPS (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valores separados por vírgula (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>Não foi possível salvar o trajeto.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Desconhecido-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Gravações</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Viagens</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Nenhum arquivo disponível para reprodução</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Arquivo inválido</translation>
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
        <translation>Voltar (retroceder)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproduzir/Pausar</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avançar</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Próxima</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Quadro</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Velocidade padrão</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocidade de reprodução</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Brilho padrão</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brilho</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Ativar/desativar mudo</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>Velocidade GPS (pode ser diferente da velocidade real)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Tela cheia/normal</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Quadro</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocidade</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Frontal</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>Visão 360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Traseira</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
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
        <translation>Estéreo</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>Definir marca de início</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Definir marca de fim</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Limpar marcas</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Salvar arquivo</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Deseja salvar a gravação?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Procurar</translation>
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
        <translation>Clipe</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Frontal</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Traseira</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Interior</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Exato (recodificar)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Um clipe sem perdas começa no quadro-chave antes da marca de início.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Pacote de provas</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Salvar clipe</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Início %1   Fim %2   Duração %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Salvar o trecho entre as marcas de início e fim</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Defina primeiro as marcas de início e fim com I e O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Informações da gravação</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Imagem</translation>
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
        <translation>Dados de posição</translation>
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
        <translation>Mapa</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Informações do sensor G</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Valor do sensor G</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Atalhos de teclado</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Tecla</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Ação</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Capturado! Deseja abrir a pasta?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Abrir arquivo</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir pasta</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Salvar arquivos</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capturar</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Tela cheia/normal</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
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
        <translation>Início</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fim</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duração</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distância</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventos</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Procurando viagens...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Gravações: %1</translation>
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
        <translation>Brilho</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Velocidade de reprodução</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
</context>
</TS>
