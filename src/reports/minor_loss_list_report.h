#pragma once
// The list of the minor-loss items of MinorLossTable with their K values.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRMinorLossList : public ui::Form {
    Q_OBJECT
public:
    explicit TQRMinorLossList(QWidget* owner);

    report::Report QRepMinorLossList{QStringLiteral("QRepMinorLossList")};

};

inline TQRMinorLossList* QRMinorLossList = nullptr;

// Creates the list into QRMinorLossList owned by `owner`, previews it, deletes it
// and clears the pointer. For the minor-loss editor's Print List.
void PreviewMinorLossList(QWidget* owner);
