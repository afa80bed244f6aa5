// Extended precision arithmetic with a known x87 state.
//
// Demand interpolation, number reading and number writing compute in the x87
// 80-bit format and must give the same bits whatever floating-point state the
// process inherited: a Windows process can start, or be switched by a loaded
// DLL, with the x87 precision lowered to 53 bits. ExtendedPrecisionScope sets
// 64-bit precision, rounding to nearest and every exception masked for its
// lifetime, and restores the caller's control word afterwards.
//
// Keep the extended arithmetic inside a function called while the scope is
// alive (not inlined into the caller), so the compiler cannot move it across
// the control-word switch.
#pragma once

#include <cstdint>
#include <limits>

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

class ExtendedPrecisionScope {
  public:
    ExtendedPrecisionScope()
        : FSaved(ReadX87ControlWord()),
          FWanted(
              static_cast<std::uint16_t>((FSaved & ~0x0F3Fu) | (kExtendedControlWord & 0x0F3F))) {
        // fldcw is slow on some processors; skip it when the state is already right.
        if (FWanted != FSaved)
            WriteX87ControlWord(FWanted);
    }
    ~ExtendedPrecisionScope() {
        if (FWanted != FSaved) {
            // Our masked operations leave exception flags set; a caller that unmasks
            // exceptions would take them as its own at its next x87 instruction.
            if ((FSaved & 0x3F) != 0x3F)
                ClearX87Exceptions();
            WriteX87ControlWord(FSaved);
        }
    }
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

  private:
    std::uint16_t FSaved;
    std::uint16_t FWanted;
};

} // namespace ostrafel
