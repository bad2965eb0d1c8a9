// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "composer/CollageRunContext.h"
#include "page/CollageModel.h"

#include <cstdint>
#include <string>
#include <vector>

// All text items of one collage, stacked from zStart + 1 upwards, appended
// to `items`; appends each item's id to run.dragItemIds. `mix`, when
// given, gets the run's sources.
void AppendTextItems(CollageRunContext& run, std::int32_t zStart, std::vector<collage::Item>& items,
                     std::vector<collage::MixSource>* mix = nullptr);

// The HTML of all text items of one collage, stacked from zStart + 1 upwards.
std::string BuildTextItems(const MainFormState& state, std::int32_t zStart);
