#include "resources/LibraryResources.h"

#include <span>
#include <string_view>

#include "resources/ResourceIds.h"

namespace {

struct StringResource {
    UINT id;
    std::string_view text;  // Windows-1252
};

constexpr StringResource kStringTable[] = {
    {IDS_LOG_MESSAGE, "Log Message"},
    {IDS_SYMBOL_SIZE, "Symbol Size"},
    {IDS_SYMBOL_SIZE_DESCRIPTION, "Specify the size of the symbol"},
    {IDS_FILL_STYLE, "Fill Style"},
    {IDS_FILL_STYLE_DESCRIPTION, "Specify the style of fill"},
    {IDS_LINE_STYLE, "Line Style"},
    {IDS_LINE_STYLE_DESCRIPTION, "Specify the style of the line"},
    {IDS_LINE_THICKNESS, "Line Thickness"},
    {IDS_LINE_THICKNESS_DESCRIPTION, "Specify the thickness of the line"},
    {IDS_LABEL_MODE, "Label Mode"},
    {IDS_LABEL_MODE_DESCRIPTION, "Specify the mode to label a point"},
    {IDS_LABEL_POSITION, "Label Position"},
    {IDS_LABEL_POSITION_DESCRIPTION, "Where to position the label next to the symbol"},
};

}  // namespace

std::vector<plat::ResourceEntry> SurveyuiResources() {
    std::vector<plat::ResourceEntry> resources = EmbeddedPictures();
    for (const StringResource& entry : kStringTable) {
        resources.push_back({entry.id, plat::ResourceType::String,
                             std::as_bytes(std::span(entry.text.data(), entry.text.size()))});
    }
    return resources;
}
