#pragma once
// The editor of the minor-loss items.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TMinorLossForm : public ui::Form {
    Q_OBJECT
public:
    explicit TMinorLossForm(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("MinorLossForm"));
        SetCaption(QStringLiteral("Minor Loss Database"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TMinorLossForm* MinorLossForm = nullptr;
