#pragma once

#include <QJsonObject>
#include <QVector>

// Order statistics of benchmark samples. Plain functions of their arguments; any thread.
class BenchStats
{
public:
    // The q-quantile (0..1) by linear interpolation between closest ranks; NaN when empty.
    static double quantile(QVector<double> values, double q);
    static double median(const QVector<double> &values) { return quantile(values, 0.5); }
    static double minimum(const QVector<double> &values);
    static double maximum(const QVector<double> &values);
    // {"median", "min", "max", "runs": [...]} of per-repetition values; null members for NaN.
    static QJsonObject summary(const QVector<double> &runs);
    // A JSON number, or null for NaN and infinities.
    static QJsonValue number(double value);
};
