#pragma once
// The gated pipe at the end of a profile job: a section of the detailed and summary reports; and the details layout the calculator's details report shares.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRGated : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGated(QWidget* owner);

    report::Report QuickRepGated{QStringLiteral("QuickRepGated")};

    void QuickRepGatedBeforePrint(report::Report& r);
    void QuickRepGatedStartPage(report::Report& r);
    void TitleBand1BeforePrint(report::Band& band, bool& printBand);
    void FormShow() override;
};

inline TQRGated* QRGated = nullptr;

namespace reports {

// Adds the gated pipe's lines, its six-station table, the two fittings and
// the warning to `band` from `top` down. The calculator's version adds its
// entrance lines after the pipe description and words two captions its own way.
void AddGatedDetails(report::Band& band, double top, bool calculator);

// Before the details print: the open length, the intermediate cells by
// IsMidSeg and the static-pressure cells where they apply.
void PrepareGatedDetails(const report::Report& r, bool staticPressures);

// The static pressures mean something for a gravity line and a main of
// known pressure; the calculator's own jobs print them too.
bool GatedStaticPressuresPrint(bool calculator);

// The length of the open gate segments (ft) as the reports print it.
QString OpenLengthText(double gates, double gateSpaceInches);

} // namespace reports
