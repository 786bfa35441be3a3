<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportController</name>
    <message>
        <source>Input file not specified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file not specified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recording cannot be saved over itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files exist already. Replace them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoadingDialog</name>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Open File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Darken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brighten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal play speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound off or on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Louder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 seconds back (one frame back in frame search)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 seconds forward (one frame forward in frame search)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One frame back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One frame forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous event mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next event mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This list of shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video files(*.avi, *.mp4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file for play back available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Captured! Do you want to open the folder?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MapWidget</name>
    <message>
        <source>Map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayListTableWidget</name>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export track (GPX)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export track (CSV)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS tracks (*.gpx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The track could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown-</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayerControlWidget</name>
    <message>
        <source>Prev.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backward(Rewind)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute ON/OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS Speed (may different from the actual speed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Surround</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressbarDialog</name>
    <message>
        <source>Save file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to save?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Separate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportLayout</name>
    <message>
        <source>Recording Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G-sensor Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G-Sensor Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShortcutListDialog</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TitleBarWidget</name>
    <message>
        <source>Open File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full/Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VideoDisplayWidget</name>
    <message>
        <source>Brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
