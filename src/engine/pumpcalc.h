#pragma once
// The pumped and pressurised run of a serial pipeline.
// One instance, Pump, lives from start-up to the main window's close.
class TPump {
};

extern TPump* Pump;
void CreatePumpObject();
void DeletePumpObject();
