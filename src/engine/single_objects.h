#pragma once
// The single objects of the job and computation units: the job object Tul,
// the job copier JobTrans and the engine objects Cost, FFlow, Grav, Gated,
// Hyd and Pump. They live from start-up until the main window closes.
#include <functional>

// Creates every single object not yet there. The program entry calls this
// before it makes the main window.
void CreateSingleObjects();

// The gravity designer's set: the same without the maximum-flow and pump
// objects.
void CreateGravitySingleObjects();

// Deletes them in the order the main window's close needs: JobTrans, Tul,
// Cost, FFlow, Gated, Grav, Hyd, Pump; the ones
// not there are skipped.
void DeleteSingleObjects();

// Told the name of each object as it is deleted (tests watch the order).
void SetSingleObjectObserver(std::function<void(const char*)> observer);
