// The demand table: probable peak demand in GPM for a load in water supply fixture units.
#pragma once

#include <array>

namespace ostrafel {

inline constexpr int kDemandRows = 52;
extern const std::array<double, kDemandRows> SFUValues; // 1 to 5000, strictly increasing
extern const std::array<double, kDemandRows> GPMValues; // 3 to 593, strictly increasing

// The demand for a load: a table value for a load on a row, a linear interpolation
// between the two neighbouring rows otherwise, and exactly -1.0 for a load outside
// 1 to 5000 (infinities and not-a-number included). Allocates nothing.
//   ConvertOstrafel(22)   == 20.36 (nearest double)
//   ConvertOstrafel(5000) == 593
//   ConvertOstrafel(6000) == -1.0
double ConvertOstrafel(double sfu);

} // namespace ostrafel
