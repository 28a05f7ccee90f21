#pragma once

#include "framework/IChannelConfig.h"

#include <vector>

// Parses a channel-IO string of space-separated "inputs-outputs" pairs, such
// as "2-2" or "1-1 2-2". A field that cannot be read counts as 0 channels;
// negative counts are read as 0. An empty string yields the single pair
// (0, 0); trailing white space adds no pair.
std::vector<IChannelConfig> ParseChannelIO(const char* text);

// True when some configured pair matches; a count below 0 matches any count.
bool ChannelIOAllows(const std::vector<IChannelConfig>& configs, int inputs, int outputs);
