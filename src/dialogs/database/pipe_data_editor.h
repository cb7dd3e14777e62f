#pragma once
// The editor of the pipe sizes and ratings.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TPipeDataForm : public ui::Form {
    Q_OBJECT
public:
    explicit TPipeDataForm(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("PipeDataForm"));
        SetCaption(QStringLiteral("Review or Edit Pipe Data"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TPipeDataForm* PipeDataForm = nullptr;
