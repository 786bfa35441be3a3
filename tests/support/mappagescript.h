#pragma once

#include "map/googlemapview.h"

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

#include <memory>

// Scripts run in the map's page for tests that link the map library (header only: the other
// tests have no web engine). Test thread only.
class MapPageScript
{
public:
    // Runs a script in the page and waits for its result (invalid after the timeout).
    static QVariant evaluate(GoogleMapView *view, const QString &script, int timeoutMs = 10000)
    {
        auto result = std::make_shared<QVariant>();
        auto done = std::make_shared<bool>(false);
        view->page()->runJavaScript(script, [result, done](const QVariant &value) {
            *result = value;
            *done = true;
        });
        if (!QTest::qWaitFor([done] { return *done; }, timeoutMs))
            return QVariant();
        return *result;
    }
};
