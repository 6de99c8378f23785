#pragma once
// A simulated survey line for the demo's graphs: a vessel towing a sensor fish along a
// planned line over an undulating seabed, sampled ten times a second. The same seed gives
// the same run on every machine, so the demo's pictures are stable.

#include <cstdint>

// One reading of every sensor the graphs show.
struct SurveySample {
    double seconds;         // since the start of the run
    double waterDepth;      // metres below the transducer
    double tension;         // tow cable, tonnes
    double gyroHeading;     // degrees, 0 .. 360
    double courseMadeGood;  // degrees, 0 .. 360
    double vesselOffset;    // metres right (+) or left (-) of the planned line
    double fishOffset;
};

class SurveyRun {
public:
    static constexpr int kSamplesPerSecond = 10;
    // The planned line's heading runs close to north, so the heading crosses 0/360.
    static constexpr double kLineHeading = 358.5;
    static constexpr double kPlannedDepth = 120.0;

    explicit SurveyRun(std::uint64_t seed);

    // The next sample, a tenth of a second after the previous one.
    SurveySample Next();

private:
    // A uniform value in -1 .. 1 (splitmix64).
    double Noise();
    // A first-order Gauss-Markov walk: reverts to 0 with time constant tau seconds.
    static double Walk(double previous, double tau, double step, double noise);

    std::uint64_t state_;
    long sample_ = 0;
    double seabedWalk_ = 0.0;
    double altitudeWalk_ = 0.0;
    double tensionWalk_ = 0.0;
    double yawWalk_ = 0.0;
    double crossWalk_ = 0.0;
    double fishLag_ = 0.0;
    double cmg_ = 0.0;  // the course made good, off the line heading
};
