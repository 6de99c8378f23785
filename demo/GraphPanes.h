#pragma once
// The demo's live graphs: four time-series panes (water depth about the planned depth,
// cable tension, heading as an angle graph across north, cross-track offsets) fed an
// hour of a simulated survey line at ten samples a second.

#include <array>
#include <cstdint>

#include "graph/CTSPane.h"

class CSurveyGraphs {
public:
    enum Graph { kDepth, kTension, kHeading, kCrossTrack, kGraphCount };

    // Writes each graph's configuration file into the settings folder, creates the panes
    // (ids firstId, firstId + 1, ...) and sets their limits. False when a pane cannot be
    // made.
    bool Create(CWnd* pParent, UINT firstId);

    // An hour of the survey line from this seed, the newest sample now.
    void FeedSurveyLine(std::uint64_t seed);

    void SetNightMode(bool night);
    // The sensor of one graph stopped reporting (or came back).
    void SetTimeout(Graph graph, bool timedOut);
    void Update();

    CTSPane& Pane(Graph graph) { return panes_[graph]; }

private:
    std::array<CTSPane, kGraphCount> panes_;
};
