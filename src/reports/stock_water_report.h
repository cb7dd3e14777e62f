#pragma once
// The livestock planning report: the stock-water calculator's job (the one
// row of WorkSWaterTable) on one page: header, notes, inputs, results and the
// water-quality recommendation.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRStock : public ui::Form {
    Q_OBJECT
public:
    explicit TQRStock(QWidget* owner);

    report::Report QuickRepStock{QStringLiteral("QuickRepStock")};

    void QuickRepStockStartPage(report::Report& r);
    void FormShow() override;
};

inline TQRStock* QRStock = nullptr;

// Creates the report into QRStock owned by `owner`, previews it, deletes it
// and clears the pointer. The stock-water calculator's Detailed button.
void PreviewStockWaterReport(QWidget* owner);
