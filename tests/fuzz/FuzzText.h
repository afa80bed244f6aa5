// Texts made from fuzz bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ostrafel::fuzzing {

// A byte below 0x80 is that character, so seeds and dictionaries stay readable ASCII;
// a byte from 0x80 on takes the next two bytes as one arbitrary UTF-16 code unit.
inline std::u16string TextFromFuzzBytes(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 0x80) {
            text += static_cast<char16_t>(data[i]);
        } else if (i + 2 < size) {
            text += static_cast<char16_t>(data[i + 1] | data[i + 2] << 8);
            i += 2;
        }
    }
    return text;
}

} // namespace ostrafel::fuzzing
