#pragma once
// The manifold that starts at the end node of a profile.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TManifoldEndDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TManifoldEndDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("ManifoldEndDlg"));
        SetCaption(QStringLiteral("Manifold at End of Mainline"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TManifoldEndDlg* ManifoldEndDlg = nullptr;
