#pragma once
// The pipe weight calculator of the pipe data editor: the weight per foot of
// the current pipe from its diameters, wall thickness and material density,
// written into the pipe row with the inside diameter and the wall.
// Created by the editor, shown modally, deleted.
#include "platform/ui/form.h"

class NumField;
class QLineEdit;
class QPushButton;

struct PipeWeight {
    double od = 0.0;      // in
    double id = 0.0;      // in
    double perFoot = 0.0; // lb/ft
};

// From the outside diameter when it is given (the inside diameter is then
// recomputed), else from the inside diameter; t the wall (in), density in
// lb per cubic inch.
PipeWeight WeightPerFoot(double od, double id, double t, double density);

class TCalcPipeWtDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TCalcPipeWtDlg(QWidget* owner);

    QLineEdit* ODNF;
    QLineEdit* IDNF;
    QLineEdit* TNF;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    void FormShow() override;
    void FormClose() override;
    void OKBtnClick();
    void CancelBtnClick();

private:
    NumField* od_;
    NumField* id_;
    NumField* t_;
};

inline TCalcPipeWtDlg* CalcPipeWtDlg = nullptr;
