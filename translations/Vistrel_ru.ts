<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation>Не указан входной файл</translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation>Не указан выходной файл</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>Не удалось сохранить файл</translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation>Нельзя сохранить запись в тот же файл</translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation>Успешно сохранено</translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation>Эти файлы уже существуют. Заменить их?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Сначала задайте метки начала и конца клавишами I и O</translation>
    </message>
</context>
<context>
    <name>LanguageImages</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No GPS data</source>
        <translation>Нет данных GPS</translation>
    </message>
    <message>
        <source>This recording has no position track</source>
        <translation>В этой записи нет данных о местоположении</translation>
    </message>
    <message>
        <source>Map not connected</source>
        <translation>Карта не подключена</translation>
    </message>
    <message>
        <source>The map service cannot be reached</source>
        <translation>Картографический сервис недоступен</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Движение</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Парковка</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Передняя</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Задняя</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>360°</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Оригинал</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>Панорама</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Стерео</translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation>Подождите...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation>Открытие файла</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Сохранение файла</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Воспроизведение/пауза</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Предыдущая</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Следующая</translation>
    </message>
    <message>
        <source>Darken</source>
        <translation>Темнее</translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation>Светлее</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Быстрее</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Медленнее</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Громче</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Тише</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Звук вкл./выкл.</translation>
    </message>
    <message>
        <source>Open files</source>
        <translation>Открыть файлы</translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation>Открыть папки</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Воспроизвести или приостановить</translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation>Предыдущая запись</translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation>Следующая запись</translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation>Обычная скорость воспроизведения</translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation>Обычная яркость</translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation>Выключить или включить звук</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Увеличить громкость</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Уменьшить громкость</translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation>Назад на 5 секунд (на один кадр назад в покадровом поиске)</translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation>Вперёд на 5 секунд (на один кадр вперёд в покадровом поиске)</translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation>На один кадр назад</translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation>На один кадр вперёд</translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation>Предыдущая метка события</translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation>Следующая метка события</translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation>Этот список сочетаний клавиш</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation>Видеофайлы(*.avi, *.mp4)</translation>
    </message>
    <message>
        <source>Clip: in mark at the playing position</source>
        <translation>Фрагмент: метка начала в позиции воспроизведения</translation>
    </message>
    <message>
        <source>Clip: out mark at the playing position</source>
        <translation>Фрагмент: метка конца в позиции воспроизведения</translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Широта:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Долгота:</translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation>Плейлист</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Driving</source>
        <translation>Движение</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Parking</source>
        <translation>Парковка</translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation>Экспорт трека (GPX)...</translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation>Экспорт трека (CSV)...</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>Экспорт трека</translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation>GPS-треки (*.gpx)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Значения, разделённые запятыми (*.csv)</translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation>Не удалось сохранить трек.</translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation>Неизвестно-</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Записи</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Поездки</translation>
    </message>
</context>
<context>
    <name>PlaybackSession</name>
    <message>
        <source>No file for play back available</source>
        <translation>Нет файла для воспроизведения</translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation>Недопустимый файл</translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation>Предыдущая</translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation>Назад (перемотка)</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Воспроизведение/пауза</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Следующая</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Кадр</translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation>Скорость по умолчанию</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Скорость воспроизведения</translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation>Яркость по умолчанию</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Яркость</translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation>Звук вкл./выкл.</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Громкость</translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation>Скорость по GPS (может отличаться от фактической)</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Полноэкранный/обычный режим</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation>Кадр</translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation>Время записи</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Передняя камера</translation>
    </message>
    <message>
        <source>Surround</source>
        <translation>Обзор 360°</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Задняя камера</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Оригинал</translation>
    </message>
    <message>
        <source>VR</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>Панорама</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Стерео</translation>
    </message>
    <message>
        <source>Set in mark</source>
        <translation>Поставить метку начала</translation>
    </message>
    <message>
        <source>Set out mark</source>
        <translation>Поставить метку конца</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>Удалить метки</translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation>Сохранение файла</translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation>Сохранить запись?</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Оригинал</translation>
    </message>
    <message>
        <source>Separate</source>
        <translation>Разделить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Фрагмент</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Передняя</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Задняя</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>Салон</translation>
    </message>
    <message>
        <source>Exact (re-encode)</source>
        <translation>Точно (перекодирование)</translation>
    </message>
    <message>
        <source>A lossless clip starts at the key frame before the in mark.</source>
        <translation>Фрагмент без потерь начинается с ключевого кадра перед меткой начала.</translation>
    </message>
    <message>
        <source>Evidence package</source>
        <translation>Пакет доказательств</translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation>Сохранить фрагмент</translation>
    </message>
    <message>
        <source>In %1   Out %2   Length %3</source>
        <translation>Начало %1   Конец %2   Длина %3</translation>
    </message>
    <message>
        <source>Save the span between the in and out marks</source>
        <translation>Сохранить отрезок между метками начала и конца</translation>
    </message>
    <message>
        <source>Set the in and out marks with I and O first</source>
        <translation>Сначала задайте метки начала и конца клавишами I и O</translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation>Информация о записи</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Изображение</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Канал 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>Канал 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Канал 3</translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation>Данные о местоположении</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Широта</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Долгота</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation>Данные G-сенсора</translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation>Значение G-сенсора</translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Сочетания клавиш</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Клавиша</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>SnapshotController</name>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation>Снимок сделан! Открыть папку?</translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>Save files</source>
        <translation>Сохранить файлы</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Сделать снимок</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation>Полноэкранный/обычный режим</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>TripListWidget</name>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Расстояние</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Finding trips...</source>
        <translation>Поиск поездок...</translation>
    </message>
    <message>
        <source>Recordings: %1</source>
        <translation>Записи: %1</translation>
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
        <translation>Яркость</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Скорость воспроизведения</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Громкость</translation>
    </message>
</context>
</TS>
