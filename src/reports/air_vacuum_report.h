#pragma once
// The air-vacuum valve report: the calculator's working job, its inputs and orifice sizes, on one page.
// Every value is read from WorkAirvac.DB as the calculator last wrote it.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRAirvac : public ui::Form {
    Q_OBJECT
public:
    explicit TQRAirvac(QWidget* owner);

    report::Report QuickRepAirvac{QStringLiteral("QuickRepAirvac")};

    void FormShow() override;
    void QuickRepAirvacStartPage(report::Report& r);
};

inline TQRAirvac* QRAirvac = nullptr;
