#pragma once
// The cost estimate of a job's pipe, trench and pumping energy.
// One instance, Cost, lives from start-up to the main window's close.
class TCost {
public:
    double SeasonHours = 0.0;   // pumping hours of the season, from the last pumping estimate
};

extern TCost* Cost;
void CreateCostObject();
void DeleteCostObject();
