#pragma once
// The list of the stored jobs of JobPipeTable, in the table's order and
// through its filter as the caller leaves them.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRJobList : public ui::Form {
    Q_OBJECT
public:
    explicit TQRJobList(QWidget* owner);

    report::Report QuickRepJobList{QStringLiteral("QuickRepJobList")};

    void QuickRepJobListStartPage(report::Report& r);
    void FormShow() override;
};

inline TQRJobList* QRJobList = nullptr;

// Creates the list into QRJobList owned by `owner`, previews it, deletes it
// and clears the pointer. For the job list dialog's Report button and the
// Reports menu's list of jobs (which first sets the filter to every job).
void PreviewJobListReport(QWidget* owner);
