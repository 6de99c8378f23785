#pragma once
// The geometry of a frame's dock sites: which rectangle each docked pane, each splitter
// and the main view get. No windows here, only arithmetic. Private to the window layer.
//
// The sites take their share of the frame's client area in a fixed order: the top and
// bottom sites across the whole width, then the left and right sites between them. A site
// shows when it holds a visible pane; it is `depth` deep (a side site's width, a top or
// bottom site's height) and separated from the main view by a splitter. Its panes share
// its length by weight, with a splitter between neighbours. What is left is the view's.

#include <array>
#include <vector>

#include "platform/core/Geometry.h"

namespace plat {

enum class DockEdge { Top, Bottom, Left, Right };
constexpr int kDockEdgeCount = 4;

// Top and bottom sites put their panes side by side; left and right sites stack them.
constexpr bool PanesSideBySide(DockEdge edge) {
    return edge == DockEdge::Top || edge == DockEdge::Bottom;
}

struct SiteRequest {
    int depth = 0;
    std::vector<int> weights;  // one per visible pane, in order along the site
};

struct SiteLayout {
    CRect site;      // empty when the site shows nothing
    CRect splitter;  // between the site and the main view
    std::vector<CRect> panes;
    std::vector<CRect> splitters;  // splitters[i] lies between panes[i] and panes[i + 1]
};

struct DockLayout {
    std::array<SiteLayout, kDockEdgeCount> sites;
    CRect view;
};

// A site never takes more than leaves room for its splitter; a pane's weight counts as at
// least 1. Every rectangle is inside client.
DockLayout LayOutDockSites(const CRect& client,
                           const std::array<SiteRequest, kDockEdgeCount>& requests,
                           int splitterWidth);

}  // namespace plat
