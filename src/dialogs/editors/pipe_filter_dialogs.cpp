#include "dialogs/editors/pipe_filter_dialogs.h"

#include "dialogs/numeric_field.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

namespace {

// OK clears the job object's Cancelled, Cancel sets it; both close. OK
// does nothing while `accepted` (when given) says no.
void addOkCancel(ui::Form* form, QBoxLayout* row, QPushButton*& ok, QPushButton*& cancel,
                 std::function<bool()> accepted = {})
{
    ok = ui::Make<QPushButton>(form, "OKBtn", QStringLiteral("OK"));
    cancel = ui::Make<QPushButton>(form, "CancelBtn", QStringLiteral("Cancel"));
    row->addWidget(ok);
    row->addWidget(cancel);
    form->OnClick(ok, [form, accepted] {
        if (accepted && !accepted()) {
            form->SetModalResult(ui::mrNone);
            return;
        }
        Tul->Cancelled = false;
    }, ui::mrOk);
    form->OnClick(cancel, [] { Tul->Cancelled = true; }, ui::mrCancel);
    form->SetCancelButton(cancel);
}

} // namespace

TFilterMaterialDlg::TFilterMaterialDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("FilterMaterialDlg"));
    SetCaption(QStringLiteral("Select Pipe Material"));
    SetPosition(ui::Position::OwnerCenter);
    resize(320, 380);
    auto* v = new QVBoxLayout(this);
    DBText1 = ui::Make<QLabel>(this, "DBText1");
    new ui::DBText(DBText1, DMod->TypeData, QStringLiteral("PipeType"));
    v->addWidget(DBText1);
    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    DBGrid1->setToolTip(QStringLiteral("Double click to select"));
    new ui::DBGrid(DBGrid1, DMod->TypeData, {{QStringLiteral("PipeType"), QStringLiteral("PipeType"), 240, {}, true}});
    v->addWidget(DBGrid1, 1);
    auto* buttons = new QHBoxLayout;
    addOkCancel(this, buttons, OKBtn, CancelBtn);
    v->addLayout(buttons);
    Handle(DBGrid1, &QTableView::doubleClicked, [this] { DBGrid1DblClick(); });
    SetEnterKey(DBGrid1, ui::EnterKey::NextControl);
}

void TFilterMaterialDlg::FormShow()
{
    Tul->Cancelled = false;
    if (!DMod->TypeTable->Active())
        DMod->TypeTable->Open();
}

void TFilterMaterialDlg::DBGrid1DblClick()
{
    Tul->PipeType = DMod->TypeTablePipeType->AsString();
}

TFilterDiameterDlg::TFilterDiameterDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("FilterDiameterDlg"));
    SetCaption(QStringLiteral("Filter Diameter "));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(34);
    auto* v = new QVBoxLayout(this);
    auto* box = ui::Make<QGroupBox>(this, "GroupBox1",
                                    QStringLiteral("Enter Range of Pipe Nominal Diameters (inches)"));
    auto* g = new QGridLayout(box);
    LowNF = ui::Make<QLineEdit>(box, "LowNF");
    HighNF = ui::Make<QLineEdit>(box, "HighNF");
    g->addWidget(new QLabel(QStringLiteral("Low"), box), 0, 0);
    g->addWidget(LowNF, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("High"), box), 1, 0);
    g->addWidget(HighNF, 1, 1);
    v->addWidget(box);
    auto* buttons = new QHBoxLayout;
    addOkCancel(this, buttons, OKBtn, CancelBtn, [this] {
        if (low_->Value() <= high_->Value())
            return true;
        // A range from high to low holds no pipe.
        ui::MessageDlg(QStringLiteral("The Low diameter must not be above the High diameter."), ui::MsgType::Error,
                       ui::mbOK);
        SetFocus(LowNF);
        return false;
    });
    HelpBtn = ui::Make<QPushButton>(this, "HelpBtn", QStringLiteral("&Help"));
    buttons->addWidget(HelpBtn);
    v->addLayout(buttons);
    low_ = new NumField(LowNF, ui::NumericFormat::Picture(QStringLiteral("###.##"), 0.0));
    high_ = new NumField(HighNF, ui::NumericFormat::Picture(QStringLiteral("###.##"), 0.0));
    OnClick(HelpBtn, [] { ui::HelpContext(34); });
    for (QWidget* w : std::initializer_list<QWidget*>{LowNF, HighNF, OKBtn})
        SetEnterKey(w, ui::EnterKey::NextControl);
}

void TFilterDiameterDlg::FormShow()
{
    Tul->Cancelled = false;
    low_->SetValue(0.5);
    high_->SetValue(48.0);
}

void TFilterDiameterDlg::FormClose()
{
    if (Tul->Cancelled)
        return;
    DMod->FilterHigh = high_->Value();
    DMod->FilterLow = low_->Value();
}
