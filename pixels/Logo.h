// The logo picture, PNG data built into the program.
#pragma once

#include <span>

std::span<const unsigned char> LogoPng();
