#pragma once
// The gated pipe at the end node of a profile (or of the gated-pipe calculator job).
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TGatedPipeDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TGatedPipeDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("GatedPipeDlg"));
        SetCaption(QStringLiteral("Gated Pipe Input Data"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TGatedPipeDlg* GatedPipeDlg = nullptr;
