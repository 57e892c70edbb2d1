#pragma once

#include "navidata.h"

// A flight for the simulated Navi Ctrl: the copter circles home at 50 m radius, one lap a
// minute, 20 m above it, while the battery drains. Each cycle of kCycleS seconds starts and
// ends on the ground with the motors off (the Navi Ctrl then lets the host reach the MK3MAG).
class SimFlight
{
public:
    static constexpr double kHomeLatitude = 46.9480;
    static constexpr double kHomeLongitude = 7.4474;
    static constexpr double kRadiusM = 50.0;
    static constexpr double kLapS = 60.0;
    static constexpr double kCycleS = 140.0;
    static constexpr double kTakeOffS = 10.0; // motors start this long into a cycle
    static constexpr double kLandS = 130.0;   // and stop here

    // The navigation record t seconds after the simulator started.
    static NaviData at(double t, int operatingRadiusM);
    static bool motorsRun(double t);
};
