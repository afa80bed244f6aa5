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
    LoweredX87Precision() : FSaved(ReadX87ControlWord()) {
        WriteX87ControlWord(static_cast<std::uint16_t>((FSaved & ~0x0300u) | 0x0200u));
    }
    ~LoweredX87Precision() { WriteX87ControlWord(FSaved); }
    LoweredX87Precision(const LoweredX87Precision&) = delete;
    LoweredX87Precision& operator=(const LoweredX87Precision&) = delete;

  private:
    std::uint16_t FSaved;
};

// x87 control words that a caller may leave behind: lowered precision, other rounding
// modes, unmasked exceptions (bit 6 always reads as set).
inline constexpr std::uint16_t kForeignX87ControlWords[] = {0x027F, 0x007F, 0x0F7F,
                                                            0x077F, 0x0360, 0x1372};

// Runs f under the x87 control word `word` and gives back f's result; the test fails
// when f does not leave the word as it found it.
template <class F> auto UnderX87ControlWord(std::uint16_t word, F f) {
    const std::uint16_t saved = ReadX87ControlWord();
    // A caller that unmasks exceptions has no flags pending: they would have trapped.
    ClearX87Exceptions();
    WriteX87ControlWord(word);
    auto result = f();
    const std::uint16_t after = ReadX87ControlWord();
    WriteX87ControlWord(saved);
    EXPECT_EQ(after, word) << "the x87 control word was not restored";
    return result;
}

} // namespace ostrafel::testing
