#pragma once
// The gated pipe at the end of a profile job: a section of the detailed
// and summary reports.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRGated : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGated(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRGated"));
        SetCaption(QStringLiteral("QRGated"));
        QuickRepGated.DataSet = DMod->WorkGatedTable;
    }

    report::Report QuickRepGated{QStringLiteral("QuickRepGated")};
};

inline TQRGated* QRGated = nullptr;
