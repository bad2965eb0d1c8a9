#pragma once
#include "form/MainFormState.h"

#include <cstdint>
#include <string>

// The HTML of all text items of one collage, stacked from zStart + 1 upwards;
// appends each item's id to state.m_dragItemIds.
std::string BuildTextItems(MainFormState& state, std::int32_t zStart);
