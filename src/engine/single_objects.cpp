#include "engine/single_objects.h"

#include "engine/cost_estimate.h"
#include "engine/maximum_flow_run.h"
#include "engine/gated_pipe_run.h"
#include "engine/gravity_run.h"
#include "engine/hydraulics.h"
#include "engine/pumped_run.h"
#include "model/job_transfer.h"
#include "model/job.h"

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
