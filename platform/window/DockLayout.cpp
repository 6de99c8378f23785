#include "platform/window/DockLayout_p.h"

#include <algorithm>
#include <cstdint>

namespace plat {
namespace {

constexpr std::array<DockEdge, kDockEdgeCount> kLayoutOrder = {DockEdge::Top, DockEdge::Bottom,
                                                               DockEdge::Left, DockEdge::Right};

// A band of `depth` along one side of `area`, which loses the band and the splitter
// beside it; answers the band and puts the splitter in *splitter.
CRect CarveBand(CRect& area, DockEdge edge, int depth, int splitterWidth, CRect* splitter) {
    CRect band = area;
    *splitter = area;
    switch (edge) {
        case DockEdge::Top:
            band.bottom = area.top + depth;
            splitter->top = band.bottom;
            splitter->bottom = band.bottom + splitterWidth;
            area.top = splitter->bottom;
            break;
        case DockEdge::Bottom:
            band.top = area.bottom - depth;
            splitter->bottom = band.top;
            splitter->top = band.top - splitterWidth;
            area.bottom = splitter->top;
            break;
        case DockEdge::Left:
            band.right = area.left + depth;
            splitter->left = band.right;
            splitter->right = band.right + splitterWidth;
            area.left = splitter->right;
            break;
        case DockEdge::Right:
            band.left = area.right - depth;
            splitter->right = band.left;
            splitter->left = band.left - splitterWidth;
            area.right = splitter->left;
            break;
    }
    return band;
}

// The part [from, to) of the site along its length.
CRect Stretch(const CRect& site, bool sideBySide, int from, int to) {
    return sideBySide ? CRect(site.left + from, site.top, site.left + to, site.bottom)
                      : CRect(site.left, site.top + from, site.right, site.top + to);
}

// The panes share what their splitters leave of the length in proportion to their
// weights; cumulative offsets keep the sum exact whatever the rounding.
void SharePanes(SiteLayout& out, const std::vector<int>& weights, bool sideBySide,
                int splitterWidth) {
    const int count = static_cast<int>(weights.size());
    const int length = sideBySide ? out.site.Width() : out.site.Height();
    const std::int64_t room = std::max(0, length - (count - 1) * splitterWidth);
    std::vector<std::int64_t> cumulative(count + 1, 0);
    for (int i = 0; i < count; ++i) {
        cumulative[i + 1] = cumulative[i] + std::max(1, weights[i]);
    }
    const auto offset = [&](int i) {
        return static_cast<int>(room * cumulative[i] / cumulative[count]);
    };
    for (int i = 0; i < count; ++i) {
        const int start = offset(i) + i * splitterWidth;
        const int end = offset(i + 1) + i * splitterWidth;
        out.panes.push_back(Stretch(out.site, sideBySide, start, end));
        if (i + 1 < count) {
            out.splitters.push_back(Stretch(out.site, sideBySide, end, end + splitterWidth));
        }
    }
}

}  // namespace

DockLayout LayOutDockSites(const CRect& client,
                           const std::array<SiteRequest, kDockEdgeCount>& requests,
                           int splitterWidth) {
    DockLayout layout;
    CRect remaining = client;
    for (const DockEdge edge : kLayoutOrder) {
        const SiteRequest& request = requests[static_cast<int>(edge)];
        if (request.weights.empty()) {
            continue;
        }
        const bool sideBySide = PanesSideBySide(edge);
        const int across = sideBySide ? remaining.Height() : remaining.Width();
        // A frame too small for the splitter gives it what there is, and the site nothing.
        const int bar = std::clamp(splitterWidth, 0, std::max(0, across));
        const int depth = std::clamp(request.depth, 0, std::max(0, across - bar));
        SiteLayout& site = layout.sites[static_cast<int>(edge)];
        site.site = CarveBand(remaining, edge, depth, bar, &site.splitter);
        SharePanes(site, request.weights, sideBySide, splitterWidth);
    }
    layout.view = remaining;
    return layout;
}

}  // namespace plat
