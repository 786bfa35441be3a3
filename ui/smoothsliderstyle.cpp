#include "smoothsliderstyle.h"

SmoothSliderStyle::SmoothSliderStyle(QStyle *base)
    : QProxyStyle(base)
{ }

int SmoothSliderStyle::styleHint(StyleHint hint,
                                 const QStyleOption *option,
                                 const QWidget *widget,
                                 QStyleHintReturn *returnData) const
{
    if (hint == QStyle::SH_Slider_AbsoluteSetButtons)
        return int(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
