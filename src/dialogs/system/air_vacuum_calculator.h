#pragma once
// The air-vacuum valve calculator.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TAirVacDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TAirVacDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("AirVacDlg"));
        SetCaption(QStringLiteral("Air-Vac Calculator"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TAirVacDlg* AirVacDlg = nullptr;
