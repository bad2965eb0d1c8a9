#pragma once
#include "page/CollageModel.h"
#include "form/MainFormState.h"

#include <cstdint>
#include <string>
#include <vector>

// All text items of one collage, stacked from zStart + 1 upwards, appended
// to `items`; appends each item's id to state.m_dragItemIds. `mix`, when
// given, gets the run's sources.
void AppendTextItems(MainFormState& state, std::int32_t zStart, std::vector<collage::Item>& items,
                     std::vector<collage::MixSource>* mix = nullptr);

// The HTML of all text items of one collage, stacked from zStart + 1 upwards;
// appends each item's id to state.m_dragItemIds.
std::string BuildTextItems(MainFormState& state, std::int32_t zStart);
