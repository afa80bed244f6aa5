// The order of the keyboard focus cycle.
#pragma once

#include <cstddef>
#include <optional>

// The place that Tab (forward) or Shift+Tab moves to in a cycle of count
// places, wrapping around; from no place, the first or the last.
// Precondition: count > 0.
inline std::size_t NextInCycle(std::size_t count, std::optional<std::size_t> current, bool forward) {
    if (!current)
        return forward ? 0 : count - 1;
    return forward ? (*current + 1) % count : (*current + count - 1) % count;
}
