#pragma once
// The list of the pipes of PipeTable in its current order and filter.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRPipeList : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPipeList(QWidget* owner);

    report::Report QRepPipeList{QStringLiteral("QRepPipeList")};

    void QRepPipeListStartPage(report::Report& r);
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;
};

inline TQRPipeList* QRPipeList = nullptr;

// Creates the list into QRPipeList owned by `owner`, previews it, deletes it
// and clears the pointer. For the pipe editor's Print Pipe List.
void PreviewPipeList(QWidget* owner);
