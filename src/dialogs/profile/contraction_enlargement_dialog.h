#pragma once
// The contraction and enlargement dialog: records the minor loss of a change
// of pipe size at a node in one loss slot of the current profile row
// (PipePickTarget 0) or suction segment (PipePickTarget 1). The opener
// enables the group of the kind of change, sets LossSlot and may choose the
// first item before showing it; choosing an item writes it into the slot.
#include "platform/ui/form.h"

#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;
namespace ui { class RadioGroup; }

class TContEnlargDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TContEnlargDlg(QWidget* owner);

    ui::RadioGroup* ContRadGp;
    ui::RadioGroup* EnlargRadGp;
    QPushButton* OKBitBtn;
    QLabel* Label1;
    QFrame* Panel1;

    int LossSlot = 1;        // 1-3
    int SuctionSegment = 0;  // SegmentNo of the suction row, set on show

    void FormShow() override;
    void FormClose() override;
    void ContRadGpClick();
    void EnlargRadGpClick();
    void OKBitBtnClick();

private:
    // Writes the group's choice into the slot of the target row.
    void writeChoice(ui::RadioGroup* group, bool enlargement);
    // Index of the choice matching what the row held before this dialog wrote
    // into it: gradual, else sudden, else gradual.
    int heldChoice(bool enlargement) const;
    QStringList rowDescriptions() const;
    QStringList held_;        // descriptions of the row before the first write
    bool heldTaken_ = false;
    bool userClicked_ = false;
};

inline TContEnlargDlg* ContEnlargDlg = nullptr;
