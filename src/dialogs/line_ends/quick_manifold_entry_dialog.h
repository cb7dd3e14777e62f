#pragma once
// Quick manifold entry: fills the manifold's nodes with evenly spaced outlets on a straight line.
// Created by the manifold dialogs with the dialog as owner, shown modally, deleted;
// the opener renumbers the nodes afterwards.
#include "platform/ui/form.h"

#include <optional>

class QLineEdit;
class QPushButton;

// The node layout of a straight manifold: `rows` stations start + i x spacing
// for i = 0 .. rows - 1. The count of spacings (end - start) / spacing is
// `spacings`; rows is 0 when the layout cannot be made (no spacing).
struct ManifoldLayout {
    double spacings = 0.0;
    int rows = 0;
};
ManifoldLayout PlanManifoldLayout(double startSta, double endSta, double spacing);

class TOptinalManifEntryDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TOptinalManifEntryDlg(QWidget* owner);

    QLineEdit *StartStaNF, *StartElNF, *EndStaNF, *EndElNF, *FlowRateNF, *DistNF;
    QPushButton *OKBitBtn1, *CancelBitBtn2;

    void FormShow() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
};

inline TOptinalManifEntryDlg* OptinalManifEntryDlg = nullptr;
