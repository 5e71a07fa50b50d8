#pragma once
// The owner drawing of CDezMenu: white panel, hairline border, rows with a check column, a rounded blue
// highlight under the pointer or keyboard, chevrons for submenus.

#include <QProxyStyle>

namespace controls {

class DezMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    DezMenuStyle();

    // One instance for the whole program, owned by the application object.
    static DezMenuStyle* instance();

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace controls
