#pragma once
// The cost estimate of a job's pipe, trench and pumping energy.
// One instance, Cost, lives from start-up to the main window's close.
class TCost {
public:
    double SeasonHours = 0.0;   // pumping hours of the season, from the last pumping estimate

    // Prices the job in the working tables by its kind and writes the costs
    // back into them; the price tables are closed again at the end.
    void EstimateJobCost();
    void EstimatePipeCost();
    void EstimatePumpingCost(double designFlow);
    void EstimateGatedPipeCost();
    void EstimateSuctionPipeCost();
    void EstimateManifoldPipeCost();
};

// Efficiency (a fraction) of a motor of the given brake horsepower.
double MotorEfficiency(double bhp);
// Trench cost per foot of trench depth and length for a trench `width` inches
// wide, from the unit-cost rates of the four width classes.
double TrenchRate(double width, double to8, double to12, double to24, double over24);

extern TCost* Cost;
void CreateCostObject();
void DeleteCostObject();
