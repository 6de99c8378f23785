#pragma once
// The library's resource table: the pictures embedded at build time and the strings.
// The module image hands it to the extension-module chain.

#include <vector>

#include "platform/core/ExtensionModule.h"

std::vector<plat::ResourceEntry> SurveyuiResources();

// The pictures only (generated from the PNG files at build time).
std::vector<plat::ResourceEntry> EmbeddedPictures();
