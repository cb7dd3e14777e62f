#pragma once
// The editor of the unit costs.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TUnitCostInFrm : public ui::Form {
    Q_OBJECT
public:
    explicit TUnitCostInFrm(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("UnitCostInFrm"));
        SetCaption(QStringLiteral("Edit Unit Cost Data"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TUnitCostInFrm* UnitCostInFrm = nullptr;
