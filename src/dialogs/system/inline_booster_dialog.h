#pragma once
// The booster pump of an in-line node.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TPumpLineBoosterDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TPumpLineBoosterDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("PumpLineBoosterDlg"));
        SetCaption(QStringLiteral("In-Line Booster Pump Data"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TPumpLineBoosterDlg* PumpLineBoosterDlg = nullptr;
