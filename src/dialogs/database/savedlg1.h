#pragma once
// The save dialog of the current job.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TSaveForm : public ui::Form {
    Q_OBJECT
public:
    explicit TSaveForm(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("SaveForm"));
        SetCaption(QStringLiteral("Save Job?"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TSaveForm* SaveForm = nullptr;
