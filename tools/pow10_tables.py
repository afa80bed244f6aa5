#!/usr/bin/env python3
"""Prints the power-of-ten tables of core/NumberReading.cpp.

Each entry is the x87 extended value (64-bit significand) nearest to the exact
power, ties to even, written as a hexadecimal literal m * 2^e with the whole
64-bit significand m, so the compiler takes it without rounding.
"""


def nearest_extended(n):
    """(m, e) with 2^63 <= m < 2^64 and m * 2^e nearest to the integer n."""
    shift = n.bit_length() - 64
    if shift <= 0:
        return n << -shift, shift
    m, rest = divmod(n, 1 << shift)
    half = 1 << (shift - 1)
    if rest > half or (rest == half and m & 1):
        m += 1
        if m == 1 << 64:
            m, shift = m >> 1, shift + 1
    return m, shift


def literal(power):
    m, e = nearest_extended(10**power)
    return f"0x{m:016X}p{e:+d}L"


def table(name, powers):
    lines = [f"constexpr Extended {name}[{len(powers)}] = {{"]
    lines += [f"    {literal(p)}, // 1e{p}" for p in powers]
    lines.append("};")
    return "\n".join(lines)


if __name__ == "__main__":
    print(table("Pow10Tab0", range(32)))
    print(table("Pow10Tab1", [32 * k for k in range(1, 16)]))
    print(table("Pow10Tab2", [512 * k for k in range(1, 10)]))
