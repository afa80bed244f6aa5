#include "DemandTable.h"

#include <algorithm>

#include "FloatEnvironment.h"

namespace ostrafel {

// The plumbing code's table for estimating demand in systems with predominantly
// flush tanks. The 35 SFU row is 24.9 GPM; some copies misprint it as 24.5, which
// under-states every load between 30 and 40 SFU.
const std::array<double, kDemandRows> SFUValues = {
    1,   2,   3,   4,   5,   6,   7,   8,    9,    10,   11,   12,   13,   14,   15,   16,   17, 18,
    19,  20,  25,  30,  35,  40,  45,  50,   60,   70,   80,   90,   100,  120,  140,  160,  180,
    200, 225, 250, 275, 300, 400, 500, 750,  1000, 1250, 1500, 1750, 2000, 2500, 3000, 4000, 5000};

const std::array<double, kDemandRows> GPMValues = {
    3,    5,    6.5,  8,    9.4, 10.7, 11.8, 12.8, 13.7, 14.6, 15.4, 16,  16.5,
    17,   17.5, 18,   18.4, 18.8, 19.2, 19.6, 21.5, 23.3, 24.9, 26.3, 27.7, 29.1,
    32,   35,   38,   41,   43.5, 48,   52.5, 57,   61,   65,   70,   75,   80,
    85,   105,  124,  170,  208,  239,  269,  297,  325,  380,  433,  525,  593};

namespace {

// y0 + ((sfu - x0) / (x1 - x0)) * (y1 - y0), each step rounded to 64 bits, and the
// result rounded once to double.
double InterpolateExtended(double sfu, double x0, double x1, double y0, double y1) {
    const Extended d = Extended(sfu) - Extended(x0);
    const Extended w = Extended(x1) - Extended(x0);
    const Extended q = d / w;
    const Extended r = Extended(y1) - Extended(y0);
    const Extended p = q * r;
    const Extended result = p + Extended(y0);
    return static_cast<double>(result);
}

} // namespace

double ConvertOstrafel(double sfu) {
    // The table is strictly increasing, so the row that an exact scan would meet
    // first and the interval that an interpolation scan would meet first are the
    // ones a binary search finds. Not-a-number compares false with every row and
    // falls through to the sentinel, as do loads below 1 and above 5000.
    if (!(sfu >= SFUValues.front() && sfu <= SFUValues.back()))
        return -1.0;
    const auto upper = std::upper_bound(SFUValues.begin(), SFUValues.end(), sfu);
    const auto row = static_cast<int>(upper - SFUValues.begin()) - 1; // SFUValues[row] <= sfu
    if (SFUValues[row] == sfu)
        return GPMValues[row];
    return InExtendedPrecision(InterpolateExtended, sfu, SFUValues[row], SFUValues[row + 1],
                               GPMValues[row], GPMValues[row + 1]);
}

} // namespace ostrafel
