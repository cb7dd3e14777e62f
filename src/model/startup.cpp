#include "model/startup.h"

#include "engine/costest1.h"
#include "engine/fullflowcalc1.h"
#include "engine/gatedpipe.h"
#include "engine/gravcalc.h"
#include "engine/hydcalc1.h"
#include "engine/pumpcalc.h"
#include "model/dattrans.h"
#include "model/tulclass.h"

namespace {
std::function<void(const char*)> g_observer;

void deleted(const char* name)
{
    if (g_observer) g_observer(name);
}
} // namespace

void CreateSingleObjects()
{
    CreateJobObject();
    CreateCostObject();
    CreateTransObject();
    CreateFullFlowObject();
    CreateGravObject();
    CreateGatedObject();
    if (!Hyd) Hyd = new JHyd;
    CreatePumpObject();
}

void CreateGravitySingleObjects()
{
    CreateJobObject();
    CreateCostObject();
    CreateTransObject();
    CreateGravObject();
    CreateGatedObject();
    if (!Hyd) Hyd = new JHyd;
}

void DeleteSingleObjects()
{
    DeleteTransObject();
    deleted("JobTrans");
    if (Tul) {
        delete Tul;
        Tul = nullptr;
        deleted("Tul");
    }
    DeleteCostObject();
    deleted("Cost");
    // The gravity designer has no maximum-flow or pump objects.
    if (FFlow) {
        DeleteFullFlowObject();
        deleted("FFlow");
    }
    if (Gated) {
        DeleteGatedObject();
        deleted("Gated");
    }
    DeleteGravObject();
    deleted("Grav");
    delete Hyd;
    Hyd = nullptr;
    deleted("Hyd");
    if (Pump) {
        DeletePumpObject();
        deleted("Pump");
    }
}

void SetSingleObjectObserver(std::function<void(const char*)> observer) { g_observer = std::move(observer); }
