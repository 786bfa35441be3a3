#pragma once

#include "exportplan.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The save dialog's clip mode: what it may offer (the marks of the recording or trip in play
// and the channels it has) and what the user chose (channels, exact, evidence package). The
// dialog shows it; the export controller turns it into the clip's request.
//
// Threads: a plain value; any thread.
class ClipExportChoice
{
public:
    ClipExportChoice() = default;
    // inputs: the recording, or a trip's recordings in order; in, out: the marks in seconds on
    // their one timeline (-1 when not set); channels: those the recording has.
    ClipExportChoice(const QStringList &inputs,
                     double in,
                     double out,
                     const QVector<ExportPlan::Channel> &channels);

    // Both marks set, in before out, and something to cut.
    bool isAvailable() const;
    QStringList inputs() const { return m_inputs; }
    double in() const { return m_in; }
    double out() const { return m_out; }
    double length() const { return isAvailable() ? m_out - m_in : 0; }
    QVector<ExportPlan::Channel> availableChannels() const { return m_available; }

    // The chosen channels: those asked for that the recording has, in channel order.
    void setChannels(const QVector<ExportPlan::Channel> &channels);
    QVector<ExportPlan::Channel> channels() const { return m_channels; }
    void setExact(bool exact) { m_exact = exact; }
    bool isExact() const { return m_exact; }
    void setEvidence(bool evidence) { m_evidence = evidence; }
    bool isEvidence() const { return m_evidence; }
    // A clip can be made of the choice: available, with at least one channel.
    bool canSave() const { return isAvailable() && !m_channels.isEmpty(); }

    // What the converter cuts.
    ExportPlan::Span span() const;

    // Seconds as minutes, seconds and tenths ("01:12.3"); negative times read as 0.
    static QString timeText(double seconds);

private:
    QStringList m_inputs;
    double m_in = -1;
    double m_out = -1;
    QVector<ExportPlan::Channel> m_available;
    QVector<ExportPlan::Channel> m_channels;
    bool m_exact = false;
    bool m_evidence = false;
};
