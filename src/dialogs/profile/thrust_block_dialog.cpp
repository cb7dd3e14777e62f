#include "dialogs/profile/thrust_block_dialog.h"

#include "model/data_module.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Soil {
    const char* item;
    double strength;
    const char* warning;
};

const Soil kSoils[] = {
    {"Special  (Enter bearing strength)", 1.0, "Enter soil bearing strength value based on field investigation."},
    {"Sound shale", 10000.0, nullptr},
    {"Cemented gravel and sand difficult to pick", 4000.0, nullptr},
    {"Coarse and fine compact sand", 3000.0, nullptr},
    {"Medium clay - can be spaded", 2000.0, nullptr},
    {"Soft clay", 1000.0, nullptr},
    {"Muck", 1.0, "Muck Varies - Enter soil bearing strength value based on field investigation."},
};

} // namespace

TThrustBlkDlg::TThrustBlkDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("ThrustBlkDlg"));
    SetCaption(QStringLiteral("Thrust Block Design Data"));
    SetPosition(ui::Position::OwnerCenter);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Select Fitting Type"), this), 0, 0);
    DBComboBox1 = ui::Make<QComboBox>(this, "DBComboBox1");
    DBComboBox1->addItems({QStringLiteral("None"), QStringLiteral("Dead End or Tee"), QStringLiteral("90 deg Elbow"),
                           QStringLiteral("45 deg Elbow"), QStringLiteral("22-1/2 deg Elbow")});
    grid->addWidget(DBComboBox1, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Select Soil Characteristics"), this), 1, 0);
    SoilComboBox = ui::Make<QComboBox>(this, "SoilComboBox");
    for (const Soil& s : kSoils)
        SoilComboBox->addItem(QString::fromLatin1(s.item));
    SoilComboBox->setMinimumWidth(300);
    grid->addWidget(SoilComboBox, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Soil Bearing Strength"), this), 2, 0);
    OvcDbNumericField1 = ui::Make<QLineEdit>(this, "OvcDbNumericField1");
    grid->addWidget(OvcDbNumericField1, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("lb/sq-ft"), this), 2, 2);

    auto* buttons = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = ui::Make<QPushButton>(this, "HelpBitBtn3", QStringLiteral("&Help"));
    buttons->addStretch(1);
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, HelpBitBtn3})
        buttons->addWidget(b);
    grid->addLayout(buttons, 3, 0, 1, 3);

    new ui::DBComboBox(DBComboBox1, DMod->WorkProfData, QStringLiteral("Fitting"));
    new ui::DBComboBox(SoilComboBox, DMod->WorkProfData, QStringLiteral("Soil"));
    new ui::DBNumericEdit(OvcDbNumericField1, DMod->WorkProfData, QStringLiteral("ThBlkSoil"),
                          ui::NumericFormat::Picture(QStringLiteral("##########"), 0.0));

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); }, ui::mrOk);
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); }, ui::mrCancel);
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    SetDefaultButton(OKBitBtn1);
    SetCancelButton(CancelBitBtn2);
    Handle(SoilComboBox, &QComboBox::activated, [this] { SoilComboBoxChange(); });
    OnExit(SoilComboBox, [this] { SoilComboBoxExit(); });
}

bool TThrustBlkDlg::eventFilter(QObject* watched, QEvent* e)
{
    // The form sees the events of all its controls.
    if (watched == DBComboBox1 && e->type() == QEvent::MouseButtonDblClick)
        Run([this] { DBComboBox1DblClick(); });
    return ui::Form::eventFilter(watched, e);
}

void TThrustBlkDlg::SoilComboBoxChange()
{
    const int i = SoilComboBox->currentIndex();
    if (i < 0 || i >= int(std::size(kSoils)))
        return;
    DMod->WorkProfTableThBlkSoil->SetAsFloat(kSoils[i].strength);
    if (kSoils[i].warning)
        ui::MessageDlg(QString::fromLatin1(kSoils[i].warning), ui::MsgType::Warning, ui::mbOK);
}

void TThrustBlkDlg::SoilComboBoxExit()
{
    // A button being pressed keeps the focus: OK and Cancel act at once.
    if (qobject_cast<QAbstractButton*>(FocusTarget()))
        return;
    SetFocus(OvcDbNumericField1);
}

void TThrustBlkDlg::DBComboBox1DblClick()
{
    if (DBComboBox1->currentIndex() >= 0)
        DMod->WorkProfTableFitting->SetAsString(DBComboBox1->currentText());
}

void TThrustBlkDlg::FormShow()
{
    opened_.emplace(std::initializer_list<db::Table*>{DMod->WorkProfTable});
}

void TThrustBlkDlg::FormClose()
{
    if (ModalResult() != ui::mrOk && opened_)
        opened_->PutBack();
}

void TThrustBlkDlg::HelpBitBtn3Click()
{
    ui::HelpContext(37);
}
