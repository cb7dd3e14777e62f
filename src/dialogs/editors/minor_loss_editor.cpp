#include "dialogs/editors/minor_loss_editor.h"

#include "dialogs/editors/reference_editing.h"
#include "model/data_module.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/radiogroup.h"
#include "reports/minor_loss_list_report.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kSizes[9] = {2, 3, 4, 5, 6, 7, 8, 10, 12};
// Below 100000: five digits before the point, as the fields take them.
constexpr double kKAbove = 100000;

// Refuses a row whose K values no fitting has.
void CheckKValues(db::Table& t)
{
    for (int size : kSizes) {
        db::Field* k = t.FieldByName(QStringLiteral("K%1").arg(size));
        if (k->IsNull())
            continue;
        const double v = k->AsFloat();
        if (!(v >= 0 && v < kKAbove))
            throw db::DbError(QStringLiteral("K %1 in must be a number from 0 to 99999, not %2.")
                                  .arg(size)
                                  .arg(QString::number(v, 'g', 6)));
    }
}

} // namespace

TMinorLossForm::TMinorLossForm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("MinorLossForm"));
    SetCaption(QStringLiteral("Minor Loss Database"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(100);
    resize(720, 460);
    db::DataSource* src = DMod->MinorLossData;

    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    BitBtn1 = ui::Make<QPushButton>(this, "BitBtn1", QStringLiteral("&Close"));
    HelpBtn = ui::Make<QPushButton>(this, "HelpBtn", QStringLiteral("&Help"));
    PrintBtm = ui::Make<QPushButton>(this, "PrintBtm", QStringLiteral("Print List"));
    DBNavigator1 = new ui::DBNavigator(src, ui::nbAllButtons & ~ui::nbRefresh, this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    top->addWidget(BitBtn1);
    top->addWidget(HelpBtn);
    top->addWidget(PrintBtm);
    top->addWidget(DBNavigator1);
    top->addStretch(1);
    v->addLayout(top);

    auto* body = new QHBoxLayout;
    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    auto* grid = new ui::DBGrid(DBGrid1, src,
                                {{QStringLiteral("Loss Item Description"), QStringLiteral("Loss Item Description"), 260}});
    grid->SetReadOnly(false);
    body->addWidget(DBGrid1, 1);

    auto* right = new QVBoxLayout;
    KFlagRadioGroup = ui::Make<ui::RadioGroup>(this, "KFlagRadioGroup", QStringLiteral("Minor loss Category"));
    KFlagRadioGroup->SetItems({QStringLiteral("Line fitting (Bend, T, etc)"),
                               QStringLiteral("Outlet Valve (Alfalfa, sprinkler valve, etc)"),
                               QStringLiteral("In line valve (Gate valve, butterfly valve, etc)"),
                               QStringLiteral("Entrance valve or gate (Slide gate, etc)"),
                               QStringLiteral("Entrance loss feature (Sharp corner headwall, etc)"),
                               QStringLiteral("In line contraction of enlargement "),
                               QStringLiteral("Special fitting")});
    new ui::DBRadioGroup(KFlagRadioGroup, src, QStringLiteral("KFlag"),
                         {QStringLiteral("LineFitting"), QStringLiteral("OutletValve"), QStringLiteral("LineValve"),
                          QStringLiteral("EntranceValve"), QStringLiteral("EntranceLoss"),
                          QStringLiteral("Contrac_Enlarge"), QStringLiteral("Special")});
    right->addWidget(KFlagRadioGroup);

    auto* kBox = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("K Factor by Fitting Inside Diameter (inches)"));
    auto* kl = new QGridLayout(kBox);
    for (int i = 0; i < 9; ++i) {
        const QString field = QStringLiteral("K%1").arg(kSizes[i]);
        KEdits[i] = ui::Make<QLineEdit>(kBox, "");
        KEdits[i]->setObjectName(field + QStringLiteral("DBEdit"));
        kl->addWidget(new QLabel(QStringLiteral("K %1 in").arg(kSizes[i]), kBox), i % 5, (i / 5) * 2);
        kl->addWidget(KEdits[i], i % 5, (i / 5) * 2 + 1);
        new ui::DBEdit(KEdits[i], src, field);
        // What a K field cannot take is refused where it is typed, never
        // dropped so that the rest makes another number.
        ui::SetNumericPicture(KEdits[i], ui::NumericFormat::Picture(QStringLiteral("#####.######"), 0.0, {}));
        SetEnterKey(KEdits[i], ui::EnterKey::NextControl);
    }
    right->addWidget(kBox);
    right->addStretch(1);
    body->addLayout(right);
    v->addLayout(body, 1);

    OnClick(BitBtn1, [this] { BitBtn1Click(); });
    OnClick(HelpBtn, [this] { HelpBtnClick(); });
    OnClick(PrintBtm, [this] { PrintBtmClick(); });
    SetEnterKey(DBGrid1, ui::EnterKey::NextControl);
    SetEnterKey(KFlagRadioGroup, ui::EnterKey::NextControl);
}

TMinorLossForm::~TMinorLossForm()
{
    if (DMod)
        DMod->MinorLossTable->BeforePost = nullptr;
}

void TMinorLossForm::FormShow()
{
    OpenUnfiltered(DMod->MinorLossTable);
    DMod->MinorLossTable->BeforePost = CheckKValues;
}

void TMinorLossForm::FormClose()
{
    KeepPendingRow(DMod->MinorLossTable, QStringLiteral("minor loss item"));
    DMod->MinorLossTable->BeforePost = nullptr;
    DMod->MinorLossTable->Close();
}

void TMinorLossForm::BitBtn1Click()
{
    Close();
}

void TMinorLossForm::PrintBtmClick()
{
    PreviewMinorLossList(this);
}

void TMinorLossForm::HelpBtnClick()
{
    ui::HelpContext(100);
}
