#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

class TelemetryTrack;

// vistrel-tool probe FILE [--model CODE]: what the viewer learns about a recording before it
// plays it (streams, channel roles, duration, frame count, damage) and a telemetry summary.
// The product model comes from the `model` file beside the tool, like the viewer's.
class ProbeCommand
{
public:
    static int run(const QStringList &arguments);

    // Applies the model file beside the program, or the given code when not empty.
    static void applyModel(const QString &overrideCode);
    static QJsonObject telemetrySummary(const TelemetryTrack &track);
};
