#pragma once
// The report listing the stored jobs of JobPipeTable, through the table's
// filter. Its bands are not built yet: its preview is an empty window.
#include "platform/ui/form.h"

class TQRJobList : public ui::Form {
    Q_OBJECT
public:
    explicit TQRJobList(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRJobList"));
        SetCaption(QStringLiteral("QRJobList"));
    }
    // The report itself; Preview shows it and returns when the preview closes.
    struct Report {
        TQRJobList* form;
        void Preview() { form->ShowModal(); }
    } QuickRepJobList{this};
};

inline TQRJobList* QRJobList = nullptr;

// Creates the report into QRJobList with the given owner, previews it over
// JobPipeTable as the caller leaves it, deletes it and resets the pointer.
inline void PreviewJobListReport(QWidget* owner)
{
    QRJobList = new TQRJobList(owner);
    struct Reset {
        ~Reset()
        {
            delete QRJobList;
            QRJobList = nullptr;
        }
    } reset;
    QRJobList->QuickRepJobList.Preview();
}
