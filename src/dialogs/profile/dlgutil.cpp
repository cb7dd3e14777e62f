#include "dialogs/profile/dlgutil.h"

#include "model/dmod1.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

void SetCaptionActive(QWidget* w, bool active)
{
    QPalette p = w->palette();
    const QPalette standard = QApplication::palette();
    p.setColor(QPalette::WindowText, active ? standard.color(QPalette::Active, QPalette::WindowText)
                                            : standard.color(QPalette::Disabled, QPalette::WindowText));
    w->setPalette(p);
    w->setProperty("captionActive", active);
}

bool CaptionActive(const QWidget* w)
{
    const QVariant v = w->property("captionActive");
    return !v.isValid() || v.toBool();
}

bool ProfileEntered(db::Table* prof)
{
    if (!prof->Active()) prof->Open();
    const int rows = prof->RecordCount();
    if (rows != 1) return rows > 1;
    prof->First();
    return !DMod->WorkProfTableRecordNo->IsNull();
}
