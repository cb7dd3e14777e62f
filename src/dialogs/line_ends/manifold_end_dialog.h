#pragma once
// The manifold that starts at the end node of a profile: its pipe, limits and nodes, tied back into the profile on OK.
// Created by its opener with the opener as owner, shown modally, deleted.
#include "dialogs/dialog_helpers.h"
#include "engine/manifold_run.h"
#include "platform/ui/form.h"

#include <optional>

class ManifoldPages;
class QPushButton;
namespace ui { class Notebook; }

class TManifoldEndDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TManifoldEndDlg(QWidget* owner);

    QPushButton *OKBtn, *HelpBtn, *CancelBtn, *QRGraphBitBtn;
    ui::Notebook* OvcNotebookM;
    ManifoldPages* Pages;   // the pipe page and the node page with their controls

    void FormShow() override;
    void FormClose() override;
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void QRGraphBitBtnClick();
    void OvcNotebookMPageChanged(int page);
    void OKBitBtn2Click();
    void HlpPipeTypeClick();
    void HelpButton1Click();
    void RenumberTrickleNodes();
    void ApplyManifoldToProfile();

    int PipePageMark() const { return pipePageMark_; }

private:
    void startNewManifold();
    // The manifold computed as its nodes stand now; false when the run
    // refused it (and said why).
    bool computeManifold(JManfld& run);
    // The page and field of what a refused run could not take.
    void turnTo(JManfld::Fault fault);
    int pipePageMark_ = 0;   // -1 after turning back to the pipe page, 0 after its OK
    std::optional<KeptTables> opened_;   // the manifold as the dialog found it
};

inline TManifoldEndDlg* ManifoldEndDlg = nullptr;
