#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "DemandTable.h"
#include "FloatTesting.h"

namespace ostrafel {
namespace {

using testing::LoweredX87Precision;
using testing::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ConvertOstrafel, EveryRowAnswersItsOwnDemandBitForBit) {
    for (int row = 0; row < kDemandRows; ++row)
        EXPECT_TRUE(SameBits(ConvertOstrafel(SFUValues[row]), GPMValues[row])) << "row " << row;
    EXPECT_TRUE(SameBits(ConvertOstrafel(1), 3));
    EXPECT_TRUE(SameBits(ConvertOstrafel(5), 9.4));
    EXPECT_TRUE(SameBits(ConvertOstrafel(20), 19.6));
    EXPECT_TRUE(SameBits(ConvertOstrafel(5000), 593));
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
