#include <cmath>
#include <iterator>
#include <limits>

#include <gtest/gtest.h>

#include "DemandTable.h"
#include "FloatTesting.h"

namespace ostrafel {
namespace {

using testing::LoweredX87Precision;
using testing::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();

// The published table, typed from the plumbing code (flush-tank column), not
// copied from the arrays under test.
struct PublishedRow {
    double sfu;
    double gpm;
};
constexpr PublishedRow kPublishedTable[] = {
    {1, 3},       {2, 5},       {3, 6.5},     {4, 8},       {5, 9.4},     {6, 10.7},
    {7, 11.8},    {8, 12.8},    {9, 13.7},    {10, 14.6},   {11, 15.4},   {12, 16},
    {13, 16.5},   {14, 17},     {15, 17.5},   {16, 18},     {17, 18.4},   {18, 18.8},
    {19, 19.2},   {20, 19.6},   {25, 21.5},   {30, 23.3},   {35, 24.9},   {40, 26.3},
    {45, 27.7},   {50, 29.1},   {60, 32},     {70, 35},     {80, 38},     {90, 41},
    {100, 43.5},  {120, 48},    {140, 52.5},  {160, 57},    {180, 61},    {200, 65},
    {225, 70},    {250, 75},    {275, 80},    {300, 85},    {400, 105},   {500, 124},
    {750, 170},   {1000, 208},  {1250, 239},  {1500, 269},  {1750, 297},  {2000, 325},
    {2500, 380},  {3000, 433},  {4000, 525},  {5000, 593},
};
static_assert(std::size(kPublishedTable) == kDemandRows);

TEST(ConvertOstrafel, TableMatchesThePublishedTableRowForRow) {
    for (int row = 0; row < kDemandRows; ++row) {
        const auto& published = kPublishedTable[row];
        EXPECT_TRUE(SameBits(SFUValues[row], published.sfu)) << "row " << row;
        EXPECT_TRUE(SameBits(GPMValues[row], published.gpm)) << "row " << row;
        EXPECT_TRUE(SameBits(ConvertOstrafel(published.sfu), published.gpm)) << "row " << row;
    }
}

TEST(ConvertOstrafel, TableIsStrictlyIncreasingFromOneToFiveThousand) {
    EXPECT_EQ(SFUValues.front(), 1);
    EXPECT_EQ(SFUValues.back(), 5000);
    EXPECT_EQ(GPMValues.front(), 3);
    EXPECT_EQ(GPMValues.back(), 593);
    for (int row = 1; row < kDemandRows; ++row) {
        EXPECT_LT(SFUValues[row - 1], SFUValues[row]);
        EXPECT_LT(GPMValues[row - 1], GPMValues[row]);
    }
}

struct Interpolation {
    double sfu;
    double gpm; // the double nearest to the exact interpolated value
};

TEST(ConvertOstrafel, InterpolatesBetweenRowsToTheNearestDouble) {
    const Interpolation cases[] = {
        {1.5, 4},       {12.5, 16.25}, {22, 20.36}, {150, 54.75},   {1234, 237.016},
        {3500, 479},    {4500, 559},   {3296, 460.232},
        // Around the 35 SFU row (24.9 GPM): 30 and 40 are rows, the rest lie between.
        {30, 23.3},     {31, 23.62},   {32.5, 24.1}, {33, 24.259999999999998},
        {35, 24.9},     {37, 25.46},   {38, 25.74},  {39.9, 26.272000000000002},
        {40, 26.3},
        // Smallest double above 1: 3 + 2^-51.
        {std::nextafter(1.0, 2.0), 3.0000000000000004},
        // Largest double below 5000: the extended steps keep the result below 593.
        {std::nextafter(5000.0, 0.0), std::nextafter(593.0, 0.0)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(SameBits(ConvertOstrafel(c.sfu), c.gpm)) << "SFU " << c.sfu;
}

TEST(ConvertOstrafel, ExtendedStepsDifferFromDoubleArithmetic) {
    // Double arithmetic throughout lands one unit lower for these loads; the table
    // lookup must not.
    auto doubleOnly = [](double sfu, double x0, double x1, double y0, double y1) {
        volatile double q = (sfu - x0) / (x1 - x0);
        volatile double p = q * (y1 - y0);
        return p + y0;
    };
    EXPECT_TRUE(SameBits(doubleOnly(3296, 3000, 4000, 433, 525), std::nextafter(460.232, 0.0)));
    EXPECT_TRUE(SameBits(doubleOnly(std::nextafter(5000.0, 0.0), 4000, 5000, 525, 593), 593));
}

TEST(ConvertOstrafel, OutsideTheTableGivesExactlyMinusOne) {
    const double outside[] = {0.999, 0.0, -0.0, -5, std::nextafter(5000.0, kInf), 6000,
                              kInf,  -kInf, std::numeric_limits<double>::quiet_NaN()};
    for (double sfu : outside)
        EXPECT_TRUE(SameBits(ConvertOstrafel(sfu), -1.0)) << "SFU " << sfu;
}

TEST(ConvertOstrafel, IgnoresTheInheritedX87PrecisionAndRestoresIt) {
    LoweredX87Precision lowered;
    const auto before = ReadX87ControlWord();
    EXPECT_TRUE(SameBits(ConvertOstrafel(3296), 460.232));
    EXPECT_TRUE(SameBits(ConvertOstrafel(std::nextafter(5000.0, 0.0)), std::nextafter(593.0, 0.0)));
    EXPECT_EQ(ReadX87ControlWord(), before);
}

} // namespace
} // namespace ostrafel
