#pragma once
// Every detail of the pipes of PipeTable that pass its filter, a block
// per pipe.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRPipeMarked : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPipeMarked(QWidget* owner);

    report::Report QRepPipeMarked{QStringLiteral("QRepPipeMarked")};

    void QRepPipeMarkedStartPage(report::Report& r);
    void FormShow() override;
};

inline TQRPipeMarked* QRPipeMarked = nullptr;

// Creates the list into QRPipeMarked owned by `owner`, previews it, deletes it
// and clears the pointer. For the pipe editor's Print Marked, which switches
// the pipe table's filtering on before and off after.
void PreviewPipeMarked(QWidget* owner);
