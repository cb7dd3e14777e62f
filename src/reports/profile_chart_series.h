#pragma once
// Fills the fifteen series of a computed pipeline's profile chart from the working tables: the graph report and the main window's output page draw the same profile.
#include "platform/chart/chart.h"
#include "platform/chart/series.h"

// The series of a profile chart by what they draw; each chart keeps its own
// series objects, looks and legend order.
struct ProfileChartSeries {
    chart::Series* Hgl = nullptr;
    chart::Series* Invert = nullptr;
    chart::Series* Ground = nullptr;
    chart::Series* WaterSurface = nullptr;
    chart::Series* GatedPipe = nullptr;
    chart::Series* Manifold = nullptr;
    chart::Series* Pump = nullptr;
    chart::Series* OffElev = nullptr;
    chart::Series* OnElev = nullptr;
    chart::Series* GatedStartHgl = nullptr;
    chart::Series* GatedMidHgl = nullptr;
    chart::Series* GatedEndHgl = nullptr;
    chart::Series* AirValve = nullptr;
    chart::Series* Outflow = nullptr;
    chart::Series* Inflow = nullptr;
};

// Where the two drawings differ.
struct ProfileChartRules {
    double airValveRise = 1.0;           // ft above ground of an air-valve mark
};

// Empties the series and draws the job. Leaves the profile and manifold
// tables at their end and the job object's FirstPoint as the pass set it.
void FillProfileChartSeries(const ProfileChartSeries& s, const ProfileChartRules& rules);

// The legend names the series the job drew, not every kind of mark a job can have.
void LegendOfDrawnSeries(chart::Chart& c);
