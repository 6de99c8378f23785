#include "SurveyRun.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kStep = 1.0 / SurveyRun::kSamplesPerSecond;

// A swing of amplitude with period seconds, at t.
double Swing(double amplitude, double period, double t, double phase = 0.0) {
    return amplitude * std::sin(2.0 * std::numbers::pi * t / period + phase);
}

double Wrap360(double degrees) {
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0.0 ? wrapped + 360.0 : wrapped;
}

// The cable pulls harder while the ship pitches into a squall, from 40 to 41.5 minutes.
double Squall(double t) {
    constexpr double kStart = 2400.0;
    constexpr double kLength = 90.0;
    if (t < kStart || t > kStart + kLength) {
        return 0.0;
    }
    return 4.5 * std::sin(std::numbers::pi * (t - kStart) / kLength);
}

}  // namespace

SurveyRun::SurveyRun(std::uint64_t seed) : state_(seed) {}

double SurveyRun::Noise() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-52 - 1.0;
}

double SurveyRun::Walk(double previous, double tau, double step, double noise) {
    return previous * (1.0 - kStep / tau) + step * noise;
}

SurveySample SurveyRun::Next() {
    const double t = static_cast<double>(sample_++) * kStep;
    SurveySample s{};
    s.seconds = t;

    seabedWalk_ = Walk(seabedWalk_, 60.0, 0.15, Noise());
    s.waterDepth = kPlannedDepth + Swing(9.0, 1700.0, t) + Swing(4.0, 430.0, t, 1.0) + seabedWalk_ +
                   0.15 * Noise();
    altitudeWalk_ = Walk(altitudeWalk_, 30.0, 0.08, Noise());
    const double altitude = 14.0 + Swing(1.5, 300.0, t) + altitudeWalk_;
    const double fishDepth = s.waterDepth - altitude;

    tensionWalk_ = Walk(tensionWalk_, 120.0, 0.05, Noise());
    s.tension = 9.0 + 0.04 * (fishDepth - 105.0) + Swing(1.6, 8.7, t) + Swing(0.6, 13.3, t, 0.5) +
                tensionWalk_ + Squall(t) + 0.2 * Noise();

    // The helmsman's meander, the yaw of the waves on top; the course made good follows
    // the meander only, half a minute late.
    yawWalk_ = Walk(yawWalk_, 40.0, 0.05, Noise());
    const double meander = Swing(3.5, 720.0, t) + yawWalk_;
    s.gyroHeading = Wrap360(kLineHeading + meander + Swing(0.7, 10.5, t) + 0.1 * Noise());
    cmg_ += (meander - cmg_) * kStep / 30.0;
    s.courseMadeGood = Wrap360(kLineHeading + cmg_);

    crossWalk_ = Walk(crossWalk_, 200.0, 0.04, Noise());
    s.vesselOffset = Swing(2.5, 900.0, t) + crossWalk_ + 0.05 * Noise();
    // The fish trails the vessel by a minute and a half and is set by the current.
    fishLag_ += (s.vesselOffset - fishLag_) * kStep / 90.0;
    s.fishOffset = fishLag_ + Swing(1.2, 400.0, t, 2.0) + 0.1 * Noise();
    return s;
}
