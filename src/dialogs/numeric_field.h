#pragma once
// A numeric entry field that is not bound to a table: a line edit with a
// picture mask. The mask refuses, with a tip, typing what it cannot take
// (more digits than the picture holds, a minus sign when the lowest value is
// 0 or more); the value is checked against the range when it is read.
//
//   LowNF = ui::Make<QLineEdit>(box, "LowNF");
//   auto* low = new NumField(LowNF, ui::NumericFormat::Picture("###.##"));
//   low->SetValue(6.39);   double d = low->Value();
#include "platform/ui/dbcontrols.h"

#include <QObject>

class QLineEdit;

class NumField : public QObject {
    Q_OBJECT
public:
    NumField(QLineEdit* edit, ui::NumericFormat format);
    static NumField* Of(QLineEdit* edit);

    // The typed number; an empty field reads 0. Throws ui::InputError when
    // the text is out of range or a refused entry.
    double Value() const;
    // Shows the value with the picture's decimals.
    void SetValue(double v);
    QLineEdit* Edit() const { return edit_; }

private:
    QLineEdit* edit_;
    ui::NumericFormat format_;
};
