#include "mpvwindows.h"

#include "childrun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <unistd.h>

#include <memory>
#include <vector>

namespace {

// Seconds after the first picture before the window opens (start-up settles), then the
// measured seconds; the player quits a second after the window closed.
constexpr double SettleSeconds = 1.0;

// Samples every 100 ms. CPU from /proc/self/stat: utime and stime are fields 14 and 15 of the
// line, counted after the command name's closing parenthesis as fields 12 and 13.
const char Script[] = R"lua(
local opts = {seconds = 30, ticks = 100}
require("mp.options").read_options(opts, "bench")
local function cpu()
  local f = io.open("/proc/self/stat")
  if not f then return nil end
  local line = f:read("*l")
  f:close()
  local rest = line:match("%) (.*)$")
  local fields = {}
  for v in rest:gmatch("%S+") do fields[#fields + 1] = v end
  return (tonumber(fields[12]) + tonumber(fields[13])) / opts.ticks
end
local first, startWall, startCpu, startFrame, startDrops = nil
local done = false
mp.add_periodic_timer(0.1, function()
  if done then return end
  local frame = mp.get_property_number("estimated-frame-number")
  local drops = mp.get_property_number("frame-drop-count") or 0
  local now = mp.get_time()
  if not frame or frame < 1 then return end
  if not first then first = now return end
  if not startWall then
    if now - first < %SETTLE% then return end
    startWall, startCpu, startFrame, startDrops = now, cpu(), frame, drops
    return
  end
  if now - startWall >= opts.seconds then
    done = true
    io.stderr:write(string.format("BENCH %f %f %d %d\n", now - startWall, cpu() - startCpu,
                                  frame - startFrame, drops - startDrops))
    mp.command("quit")
  end
end)
)lua";

} // namespace

MpvWindows::Result MpvWindows::run(const QString &mpv,
                                   const QString &scratch,
                                   const QString &recording,
                                   const QVector<QRect> &windows,
                                   int seconds)
{
    Result result;
    const QString scriptPath = QDir(scratch).filePath(QStringLiteral("mpv-bench.lua"));
    {
        QFile script(scriptPath);
        if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || script.write(
                       QByteArray(Script).replace("%SETTLE%", QByteArray::number(SettleSeconds)))
                    < 0) {
            result.error = QStringLiteral("cannot write %1").arg(scriptPath);
            return result;
        }
    }
    std::vector<std::unique_ptr<ChildRun>> players;
    QStringList logs;
    for (int i = 0; i < windows.size(); ++i) {
        const QRect &r = windows.at(i);
        QStringList args {QStringLiteral("--no-config"),
                          QStringLiteral("--really-quiet"),
                          QStringLiteral("--vo=gpu"),
                          // Mesa's software rasteriser is what this display has.
                          QStringLiteral("--gpu-sw"),
                          QStringLiteral("--no-border"),
                          QStringLiteral("--geometry=%1x%2+%3+%4")
                                  .arg(r.width())
                                  .arg(r.height())
                                  .arg(r.x())
                                  .arg(r.y()),
                          QStringLiteral("--vid=%1").arg(i + 1),
                          QStringLiteral("--script=%1").arg(scriptPath),
                          QStringLiteral("--script-opts=bench-seconds=%1,bench-ticks=%2")
                                  .arg(seconds)
                                  .arg(sysconf(_SC_CLK_TCK))};
        args << (i == 0 ? QStringLiteral("--ao=pulse") : QStringLiteral("--no-audio"));
        args << recording;
        logs << QDir(scratch).filePath(QStringLiteral("mpv-window-%1.log").arg(i + 1));
        QFile::remove(logs.last());
        players.push_back(std::make_unique<ChildRun>(mpv, args, QString(), logs.last()));
    }
    for (auto &p : players) {
        if (!p->start()) {
            result.error = QStringLiteral("mpv did not start");
            return result;
        }
    }
    static const QRegularExpression line(
            QStringLiteral("BENCH ([0-9.]+) ([0-9.]+) (-?[0-9]+) (-?[0-9]+)"));
    for (size_t i = 0; i < players.size(); ++i) {
        const ChildRun::Result r = players[i]->wait((seconds + 60) * 1000);
        QFile log(logs.at(int(i)));
        const QString text
                = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
        const QRegularExpressionMatch m = line.match(text);
        if (!r.finished || !m.hasMatch()) {
            result.error = QStringLiteral("mpv window %1 gave no figures: %2")
                                   .arg(i + 1)
                                   .arg(text.right(300).trimmed());
            return result;
        }
        const double wall = m.captured(1).toDouble();
        const double shown = m.captured(3).toDouble() - m.captured(4).toDouble();
        if (wall <= 0) {
            result.error = QStringLiteral("mpv window %1: empty window").arg(i + 1);
            return result;
        }
        result.cpuPerSecond += m.captured(2).toDouble() / wall;
        result.rssMb += r.maxRssMb;
        result.shownPerSecond << shown / wall;
    }
    result.ok = true;
    return result;
}
