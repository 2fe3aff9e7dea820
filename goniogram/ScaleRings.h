#pragma once
// Spacing of the labelled intensity rings for a scale maximum M.

// Rings lie at 0, unit, 2 x unit, ..., n x unit candela with 2 <= n <= 8; unit is a whole multiple k of
// 10 x step, step being the largest power of ten (reached by repeated division by 10) with M >= 20 x step,
// and k the smallest whole number for which nearest(M / unit) <= 8.
struct RingSpacing {
    bool valid = false; // false for a maximum that cannot carry a scale: zero, negative, infinite, NaN
    long double step = 0;
    long double unit = 0;
    long double k = 0; // a whole number; may exceed any integer type for huge maxima
    int n = 0;
};

// Works out k directly instead of raising it one at a time, which would take some 10^10 steps for
// M = 10^12; the result equals that of the one-at-a-time search wherever the search ends.
RingSpacing ComputeRingSpacing(long double maximum);
