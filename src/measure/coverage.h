// Summary statistics of a Monte Carlo sample: mean, standard deviation and
// the 95 % coverage intervals of the GUM's Monte Carlo supplement.
#pragma once

#include <vector>

namespace orlavex::measure {

struct Intervals95 {
    double symmetric_lo = 0, symmetric_hi = 0;  // 2.5 % and 97.5 % quantiles
    double shortest_lo = 0, shortest_hi = 0;    // shortest interval holding 95 %
};

struct Coverage : Intervals95 {
    double mean = 0, std_dev = 0;
};

// Values are reordered. Fewer than two values give NaN throughout.
Coverage coverage_95(std::vector<double>& values);

// The intervals alone, of values held as float (the Monte Carlo keeps its
// trials that way: half the memory, the order statistics rounded to about
// 1e-7 of their size). Values are sorted.
Intervals95 intervals_95(std::vector<float>& values);

}  // namespace orlavex::measure
