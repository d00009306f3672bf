#pragma once

#include <vector>

// The middle of the samples (the mean of the two middle ones for an even count), so that
// a few disturbed runs on a busy machine do not move the figure; 0 without samples.
double median(std::vector<double> samples);
