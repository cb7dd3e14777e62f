#pragma once
// The list of the pipe materials of TypeTable.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRPipeTypeList : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPipeTypeList(QWidget* owner);

    report::Report QRepPipeTypeList{QStringLiteral("QRepPipeTypeList")};

    void QRepPipeTypeListStartPage(report::Report& r);
    void FormShow() override;
};

inline TQRPipeTypeList* QRPipeTypeList = nullptr;

// Creates the list into QRPipeTypeList owned by `owner`, previews it, deletes it
// and clears the pointer. For the pipe type editor's Print List.
void PreviewPipeTypeList(QWidget* owner);
