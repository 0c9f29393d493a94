// The window's style: Fusion, with the check box and option button
// indicators no taller than the control they are drawn in. The design gives
// many of these controls 13 pixels of height, less than Fusion's indicator,
// which then lost its lower edge. Option buttons also keep their round
// indicator clear of what the design puts right beside them: the next
// option button below and an entry field one pixel to the left.
#pragma once

#include <QProxyStyle>

namespace orlavex::ui {

class WindowStyle : public QProxyStyle {
  public:
    WindowStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
};

}  // namespace orlavex::ui
