#pragma once
// The editor of the pipe materials.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TPipeTypeForm : public ui::Form {
    Q_OBJECT
public:
    explicit TPipeTypeForm(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("PipeTypeForm"));
        SetCaption(QStringLiteral("Pipe Type Database"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TPipeTypeForm* PipeTypeForm = nullptr;
