#include "toolusage.h"

#include "vistrelversion.h"

namespace {

struct CommandText
{
    const char *name;
    const char *arguments;
    const char *summary; // one line, for the list of commands
    const char *details; // what it does and its options, for `help COMMAND`
};

const CommandText kCommands[] = {
        {"probe",
         "FILE [--model CODE]",
         "streams, channels, duration, damage and telemetry summary (JSON)",
         "What the viewer learns about a recording before it plays it: its streams, the\n"
         "channel role of each video stream, the duration and frame count, whether its index\n"
         "is missing, and a summary of its telemetry track (telemetry.source names the\n"
         "layout it was read from: tlmd, gpmf, freegps, mp4-nmea, text-track, nmea-sidecar\n"
         "or gpx-sidecar; docs/telemetry-sources.md).\n"
         "\n"
         "  --model CODE   the product model that assigns the channels (ZRA, ZRB, ZRC, ZRD);\n"
         "                 without it the `model` file beside the program decides, as in the\n"
         "                 viewer\n"},
        {"telemetry",
         "FILE... [--trip] [--format json|csv|gpx]",
         "every GPS and G-sensor sample",
         "Every telemetry sample of a recording with its index and time offset, from\n"
         "whichever layout the recording's camera wrote (in the file or beside it).\n"
         "\n"
         "  --format F     json (the default), csv, or gpx: GPX 1.1 with one track point per\n"
         "                 valid GPS fix, timed when the file name carries the recording's\n"
         "                 start, with the speed in m/s\n"
         "  --trip         the files are the recordings of one trip: one track on one time\n"
         "                 axis, the files end to end in the order of their names' times\n"
         "                 (GPX times run on from the first file's start). Fails when the\n"
         "                 files are no trip (a gap of more than 5 s, other streams, another\n"
         "                 kind); files that cannot be opened are left out, with a message\n"},
        {"list",
         "PATH... [--removable-root DIR]",
         "recordings of files and folders, by kind (JSON)",
         "The recordings among the files and folders given, in the play list's four tables\n"
         "(all, driving, event, parking).\n"
         "\n"
         "  --removable-root DIR   take DIR for the root of a removable drive (repeatable);\n"
         "                         otherwise the system's mounts decide\n"},
        {"trips",
         "PATH... [--removable-root DIR]",
         "drives: consecutive recordings of one kind played as one (JSON)",
         "The trips among the recordings of the files and folders given: the recordings of\n"
         "the driving and parking tables (and those of unknown kind) that follow each other\n"
         "with at most 5 s between the end of one and the start of the next, with the same\n"
         "streams. Each trip has its kind, files (path, start, duration, playable), start and\n"
         "end, duration in seconds, distance in metres, top speed in km/h and the event\n"
         "recordings that fall in it (path, start, seconds into the trip).\n"
         "\n"
         "  --removable-root DIR   take DIR for the root of a removable drive (repeatable);\n"
         "                         otherwise the system's mounts decide\n"},
        {"repair",
         "FILE [--out DIR]",
         "rebuild a recording whose index is missing",
         "Rebuilds a recording whose container index is missing with the ffmpeg program and\n"
         "prints the copy's path (JSON).\n"
         "\n"
         "  --out DIR      where the copy goes; by default the SavedVideos folder in the\n"
         "                 user's documents, as in the viewer\n"},
        {"export",
         "FILE (--original | --separate) --out DIR [--replace]",
         "one file, or one file per channel",
         "The viewer's \"Save files\" without the window, through the ffmpeg program. Prints\n"
         "the files written (JSON); on any failure nothing of the export is left behind.\n"
         "\n"
         "  --original     copy the recording byte for byte\n"
         "  --separate     one file per camera channel (_f, _r, _i) with the first audio\n"
         "                 stream and the telemetry\n"
         "  --out DIR      the output folder (made when missing)\n"
         "  --replace      replace files already there (otherwise the export fails)\n"},
        {"clip",
         "FILE... --from S --to S --out DIR [--exact] [--channels f,r,i] [--replace] [--evidence]",
         "the span between two marks as one MP4, or an evidence package",
         "Cuts the span from S to S seconds (the out mark's own frame is left out) of every\n"
         "channel and the first audio stream into one MP4 named after the in mark's moment,\n"
         "with the span's telemetry (re-timed to start at 0) in its tlmd atom and beside it as\n"
         "GPX and CSV. Several FILEs are the recordings of a trip, in order, on one time axis.\n"
         "Prints the files written (JSON); on any failure nothing of the clip is left behind.\n"
         "\n"
         "  --exact        re-encode (libx264, CRF 18) so the clip starts on the in mark's\n"
         "                 frame; without it the streams are copied from the key frame at or\n"
         "                 before the in mark, and an edit list makes players start at the mark\n"
         "                 (the first picture in the file may come from that key frame). A trip\n"
         "                 whose recordings' streams differ is always re-encoded\n"
         "  --channels C   the channels in the clip: f, r, i, comma-separated (default: all)\n"
         "  --out DIR      the output folder (made when missing)\n"
         "  --replace      replace files already there (otherwise the clip fails)\n"
         "  --evidence     an evidence package: the folder DIR/<in mark's moment>_evidence with\n"
         "                 the clip, its GPX and CSV, the report of the in mark (PDF),\n"
         "                 MANIFEST.json (program, version, sources with their SHA-256 and\n"
         "                 recording times, marks, files) and SHA256SUMS (see verify)\n"
         "  --no-map       the report without its map picture\n"
         "  --model CODE   as for probe\n"},
        {"verify",
         "DIR",
         "check an evidence package against its SHA256SUMS",
         "Recomputes the SHA-256 of every file the package's SHA256SUMS lists and prints each\n"
         "as ok, changed or missing, and the files it does not list as unlisted (JSON). Exits\n"
         "with 0 only when every file is ok. `sha256sum -c SHA256SUMS` in the folder checks\n"
         "the same list.\n"},
        {"frame",
         "FILE [--channel C] (--number N | --time S) [--width W] --out PICTURE.png",
         "one picture of one channel, made by the playback engine",
         "Saves one picture of one channel as the viewer's playback engine decodes it.\n"
         "\n"
         "  --channel C    front (the default), rear, inner, or a video stream index\n"
         "  --number N     exactly frame N (0 is the first), found by the frame search\n"
         "  --time S       the first picture after seeking to S seconds\n"
         "  --width W      with --time: scaled as for a view W pixels wide (default: the\n"
         "                 channel's own width)\n"
         "  --out FILE     the picture (PNG)\n"},
        {"report",
         "FILE --time SECONDS --out REPORT.pdf [--no-map] [--model CODE]",
         "the two-page printed report of a moment (PDF)",
         "The viewer's printed report of the moment SECONDS as a PDF, drawn by the same code\n"
         "as the window's Print button: the exact frame of every channel, the last valid GPS\n"
         "position up to then, the G-sensor values, and a map picture from the map settings'\n"
         "tile server. Needs no display.\n"
         "\n"
         "  --time SECONDS the moment, from the start of the recording\n"
         "  --out FILE     the PDF\n"
         "  --no-map       leave the map picture out (it is left out as well when no tile\n"
         "                 comes within 10 s)\n"
         "  --model CODE   as for probe\n"},
        {"bench",
         "[--quick] [--seconds N] [--figures KEYS] [--viewer] [--json FILE]",
         "measure the playback engine (from the build tree)",
         "Measures the playback engine against ffmpeg and mpv on recordings made once by\n"
         "make-recording, which must lie beside vistrel-tool (the build tree).\n"
         "\n"
         "  --quick        one short repetition of each measurement\n"
         "  --seconds N    seconds of playback per measurement (1 to 3600, default 60;\n"
         "                 the main window plays at most 25)\n"
         "  --figures KEYS only these figures, by their JSON keys, comma-separated\n"
         "                 (throughput, cpu_1x, open, seek, frame_step, presentation_error,\n"
         "                 av_offset, peak_rss, card, surround_panorama, surround_vr, gui_1x,\n"
         "                 meter_paint, viewer_1x)\n"
         "  --viewer       the whole viewer window at 1x (30 s) against one mpv --vo=gpu\n"
         "                 window per channel on the same display (viewer_1x; only when\n"
         "                 asked for)\n"
         "  --json FILE    write the figures as JSON as well\n"},
};

const CommandText *find(const QString &command)
{
    for (const CommandText &row : kCommands) {
        if (command == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

QString usageLine(const CommandText &row)
{
    return QStringLiteral("vistrel-tool %1 %2")
            .arg(QLatin1String(row.name), QLatin1String(row.arguments));
}

} // namespace

QStringList ToolUsage::commands()
{
    QStringList names;
    for (const CommandText &row : kCommands)
        names << QLatin1String(row.name);
    return names;
}

bool ToolUsage::has(const QString &command)
{
    return find(command) != nullptr;
}

QString ToolUsage::usage(const QString &command)
{
    const CommandText *row = find(command);
    return row ? QStringLiteral("usage: ") + usageLine(*row) : QString();
}

QString ToolUsage::help(const QString &command)
{
    const CommandText *row = find(command);
    if (!row)
        return QString();
    return QStringLiteral("Usage: %1\n%2").arg(usageLine(*row), QLatin1String(row->details));
}

QString ToolUsage::overview()
{
    QString text = QStringLiteral(
            "Usage: vistrel-tool COMMAND [ARGUMENT]...\n"
            "  or:  vistrel-tool help COMMAND\n"
            "Reads, checks, repairs, exports and reports dash-camera recordings without the\n"
            "window: the command-line companion of the vistrel viewer.\n"
            "\n"
            "Commands:\n");
    for (const CommandText &row : kCommands) {
        text += QStringLiteral("  %1%2\n")
                        .arg(QLatin1String(row.name), -12)
                        .arg(QLatin1String(row.summary));
    }
    text += QStringLiteral(
            "\n"
            "`vistrel-tool help COMMAND` or `vistrel-tool COMMAND --help` shows how to call a\n"
            "command and its options. Results go to stdout (JSON unless said otherwise),\n"
            "diagnostics to stderr.\n"
            "\n"
            "Options:\n"
            "  -h, --help       show this help and exit\n"
            "  -v, --version    show the version and exit\n"
            "\n"
            "Exit status:\n"
            "  0   success\n"
            "  1   the command failed (the reason is on stderr)\n"
            "  2   a wrong command line\n"
            "\n"
            "Files:\n"
            "  model            beside the program: the product model, as for the viewer\n"
            "  vistrel.conf     the viewer's map settings, in ~/.config/vistrel/ (report)\n"
            "\n"
            "Environment:\n"
            "  VISTREL_MAP_TILES   the tile URL template ({z}/{x}/{y}) for the report's map\n");
    return text;
}

QString ToolUsage::versionText()
{
    return QStringLiteral("vistrel-tool " VISTREL_VERSION);
}
