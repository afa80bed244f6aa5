// Helpers for tests that compare doubles bit for bit.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "FloatEnvironment.h"

namespace ostrafel::testing {

inline std::string HexFloat(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a (%.17g)", value, value);
    return buffer;
}

inline ::testing::AssertionResult SameBits(double actual, double expected) {
    if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got " << HexFloat(actual) << ", expected " << HexFloat(expected);
}

// Lowers the x87 precision to 53 bits for the life of the object, as some
// Windows processes and DLLs leave it, and puts the caller's state back.
class LoweredX87Precision {
  public:
    LoweredX87Precision() : saved_(ReadX87ControlWord()) {
        WriteX87ControlWord(static_cast<std::uint16_t>((saved_ & ~0x0300u) | 0x0200u));
    }
    ~LoweredX87Precision() { WriteX87ControlWord(saved_); }
    LoweredX87Precision(const LoweredX87Precision&) = delete;
    LoweredX87Precision& operator=(const LoweredX87Precision&) = delete;

  private:
    std::uint16_t saved_;
};

} // namespace ostrafel::testing
