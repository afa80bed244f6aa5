// Extended precision arithmetic with a known x87 state.
//
// Demand interpolation, number reading and number writing compute in the x87
// 80-bit format and must give the same bits whatever floating-point state the
// process inherited: a Windows process can start, or be switched by a loaded
// DLL, with the x87 precision lowered to 53 bits. ExtendedPrecisionScope sets
// 64-bit precision, rounding to nearest and every exception masked for its
// lifetime, and restores the caller's control word afterwards.
//
// The control-word switches are asm statements, which the compiler keeps in
// order, but it may move plain arithmetic across them. InExtendedPrecision ties
// the work to the switches through its data: its arguments come out of an empty
// asm statement after the switch and its result goes into one before the
// switch back, so no arithmetic on them can run under the caller's state,
// however much the optimiser inlines.
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

namespace ostrafel {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the x87 80-bit format with a 64-bit significand");

#if !(defined(__i386__) || defined(__x86_64__))
#error "Ostrafel's number code needs the x87 floating-point unit"
#endif

// All six exceptions masked, 64-bit precision control, round to nearest.
inline constexpr std::uint16_t kExtendedControlWord = 0x037F;

inline std::uint16_t ReadX87ControlWord() {
    std::uint16_t word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word) : : "memory");
    return word;
}

inline void WriteX87ControlWord(std::uint16_t word) {
    __asm__ __volatile__("fldcw %0" : : "m"(word) : "memory");
}

inline void ClearX87Exceptions() {
    __asm__ __volatile__("fnclex" : : : "memory");
}

// Sets the control word unconditionally on entry and on exit, always inline: the
// switches stand in the machine code of the function that computes, where
// tools/check-x87-order.py reads their order against the arithmetic.
class ExtendedPrecisionScope {
  public:
    [[gnu::always_inline]] ExtendedPrecisionScope() : FSaved(ReadX87ControlWord()) {
        WriteX87ControlWord(
            static_cast<std::uint16_t>((FSaved & ~0x0F3Fu) | (kExtendedControlWord & 0x0F3F)));
    }
    [[gnu::always_inline]] ~ExtendedPrecisionScope() {
        // Our masked operations leave exception flags set; a caller that unmasks
        // exceptions would take them as its own at its next x87 instruction.
        if ((FSaved & 0x3F) != 0x3F)
            ClearX87Exceptions();
        WriteX87ControlWord(FSaved);
    }
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

  private:
    std::uint16_t FSaved;
};

// The compiler must take value as made here, in memory it cannot see into.
template <class T> void ArrivesHere(T& value) {
    __asm__ __volatile__("" : "+m"(value));
}

// The compiler must have value complete here.
template <class T> void LeavesHere(const T& value) {
    __asm__ __volatile__("" : : "m"(value));
}

// work(args...) under 64-bit precision, rounding to nearest and every exception
// masked, with the caller's control word back afterwards. Arguments are taken by
// value; work reads everything else it needs from memory.
template <class Work, class... Args> auto InExtendedPrecision(Work work, Args... args) {
    static_assert(!std::is_void_v<std::invoke_result_t<Work, Args&...>>,
                  "the work hands its result back, so that it can be tied to the switch back");
    ExtendedPrecisionScope scope;
    (ArrivesHere(args), ...);
    auto result = work(args...);
    LeavesHere(result);
    return result;
}

} // namespace ostrafel
