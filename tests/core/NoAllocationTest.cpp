// The lookups and readings that run on every key press and calculation allocate
// nothing. This executable counts every operator new of the process.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "DemandTable.h"
#include "NumberReading.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// Not inlined: where an optimised build inlines them into a delete expression,
// GCC sees free() on what operator new returned and warns of a mismatch.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace ostrafel {
namespace {

TEST(NoAllocation, LookupAndReadingAllocateNothing) {
    const auto invariant = TFormatSettings::Invariant();
    auto comma = invariant;
    comma.DecimalSeparator = u',';
    double value = 0;
    double sink = 0;
    const long before = allocations.load();
    for (double sfu : {0.5, 1.0, 22.0, 3296.0, 5000.0, 6000.0})
        sink += ConvertOstrafel(sfu);
    for (auto text : {u"22", u"1234.5", u"2.5E-1", u"-INF", u"12,5", u" 1e308 ", u"x"}) {
        TryStrToFloat(text, value, invariant);
        TryStrToFloat(text, value, comma);
        sink += StrToIntDef(text, 100);
    }
    sink += StrToIntDef(u"$7FFFFFFF", 0) + StrToIntDef(u"-2147483648", 0);
    EXPECT_EQ(allocations.load(), before);
    EXPECT_NE(sink, 0);
}

} // namespace
} // namespace ostrafel
