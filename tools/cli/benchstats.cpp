#include "benchstats.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>

double BenchStats::quantile(QVector<double> values, double q)
{
    values.erase(std::remove_if(
                         values.begin(), values.end(), [](double v) { return !std::isfinite(v); }),
                 values.end());
    if (values.isEmpty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const double clamped = std::min(1.0, std::max(0.0, q));
    const double rank = clamped * (values.size() - 1);
    const int lower = static_cast<int>(std::floor(rank));
    const int upper = std::min(lower + 1, static_cast<int>(values.size()) - 1);
    const double fraction = rank - lower;
    return values.at(lower) + (values.at(upper) - values.at(lower)) * fraction;
}

double BenchStats::minimum(const QVector<double> &values)
{
    return quantile(values, 0.0);
}

double BenchStats::maximum(const QVector<double> &values)
{
    return quantile(values, 1.0);
}

QJsonValue BenchStats::number(double value)
{
    if (!std::isfinite(value))
        return QJsonValue(QJsonValue::Null);
    return QJsonValue(std::round(value * 1000.0) / 1000.0);
}

QJsonObject BenchStats::summary(const QVector<double> &runs)
{
    QJsonArray list;
    for (double v : runs)
        list.append(number(v));
    QJsonObject o;
    o.insert(QStringLiteral("median"), number(median(runs)));
    o.insert(QStringLiteral("min"), number(minimum(runs)));
    o.insert(QStringLiteral("max"), number(maximum(runs)));
    o.insert(QStringLiteral("runs"), list);
    return o;
}
