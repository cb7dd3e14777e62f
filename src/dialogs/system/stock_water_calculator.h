#pragma once
// The stock-water requirement calculator.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TStockCalcDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TStockCalcDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("StockCalcDlg"));
        SetCaption(QStringLiteral("Stockwater Calculator"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TStockCalcDlg* StockCalcDlg = nullptr;
