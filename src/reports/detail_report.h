#pragma once
// The detailed hydraulic report: the computed main pipeline node by node,
// with the reach below each node, and the thrust-block pages. The form is
// also the composite that chains the end-node and pump sections after it.
#include "platform/report/report.h"
#include "platform/ui/form.h"

#include <QString>

class TQRDetail : public ui::Form {
    Q_OBJECT
public:
    explicit TQRDetail(QWidget* owner);

    report::Report QuickRepDetail{QStringLiteral("QuickRepDetail")};
    report::Report QuickRepThrust{QStringLiteral("QuickRepThrust")};
    report::CompositeReport QRCompositeReport1;

    // Per run.
    double CumulativeLoss = 0.0;    // ft, friction and minor losses from the entrance down
    double PrevReachFriction = 0.0; // ft, Floss of the row printed before
    bool HasThrust = false;         // some node needs a thrust block
    double PrevDiaIn = 0.0;         // in, DiaIn of the row printed before
    QString ItemId[3];              // id texts of the minor-loss slots of the row

    void QRCompositeReport1AddReports(report::CompositeReport& composite);
    void QuickRepDetailBeforePrint(report::Report& r);
    void TitleBand1BeforePrint(report::Band& band, bool& printBand);
    void ColumnHeaderBand1BeforePrint(report::Band& band, bool& printBand);
    void DetailBand1BeforePrint(report::Band& band, bool& printBand);
    void DetailBand2BeforePrint(report::Band& band, bool& printBand);
    void QuickRepDetailStartPage(report::Report& r);
    void QuickRepThrustStartPage(report::Report& r);
    void FormShow() override;

private:
    void buildDetail();
    void buildThrust();
};

inline TQRDetail* QRDetail = nullptr;
