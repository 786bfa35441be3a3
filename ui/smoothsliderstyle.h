#pragma once

#include <QProxyStyle>

// The style of a SmoothSlider: the slider's own style, except that the left, right and middle
// mouse buttons all set the value absolutely, so a click anywhere on the groove moves the
// handle to that place at once instead of paging towards it.
//
// Threads: GUI thread only.
class SmoothSliderStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // base: the style to forward to (taken over by the proxy); null for the application style.
    explicit SmoothSliderStyle(QStyle *base = nullptr);

    int styleHint(StyleHint hint,
                  const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
