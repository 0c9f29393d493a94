// The noise-bandwidth field: a value in Hz typed as "4e6", "4 MHz",
// "4000 kHz" or "4000000 Hz" (the locale's decimal sign too), shown with
// its unit ("4 MHz"); 0 is "off".
#pragma once

#include <QDoubleSpinBox>
#include <QLocale>
#include <QString>

#include <optional>

namespace orlavex::planner {

// The bandwidth TEXT names, in Hz, or nothing when it names none.
std::optional<double> bandwidth_hz(QString text, const QLocale& locale);
// HZ in the largest of Hz, kHz and MHz that keeps it at 1 or more.
QString bandwidth_text(double hz, const QLocale& locale);

class BandwidthBox : public QDoubleSpinBox {
  public:
    explicit BandwidthBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& pos) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double hz) const override;
    void fixup(QString& text) const override;
};

}  // namespace orlavex::planner
