// The owner template with a recording traits type: what is closed, and when.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "UniqueHandle.h"

namespace {

// A close is recorded, never done.
std::vector<int*>& Closed() {
    static std::vector<int*> closed;
    return closed;
}

struct RecordingTraits {
    using Handle = int*;
    static void Close(int* handle) { Closed().push_back(handle); }
};
using Owner = UniqueHandle<RecordingTraits>;

// The close call chosen at run time, as for a library loaded on demand.
struct CarriedTraits {
    using Handle = int*;
    std::vector<int*>* Log = nullptr;
    void Close(int* handle) const { Log->push_back(handle); }
};

// Handles that are small numbers, -1 for none, as a file is
// INVALID_HANDLE_VALUE: 0 is a handle like any other.
std::vector<int>& ClosedNumbers() {
    static std::vector<int> closed;
    return closed;
}

struct NumberTraits {
    using Handle = int;
    static int Invalid() { return -1; }
    static void Close(int handle) { ClosedNumbers().push_back(handle); }
};
using NumberOwner = UniqueHandle<NumberTraits>;

class UniqueHandleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Closed().clear();
        ClosedNumbers().clear();
    }
    // The handles are the addresses of these.
    int FFirst = 1;
    int FSecond = 2;
};

TEST_F(UniqueHandleTest, ClosesWhatItHoldsOnceAndNothingWhenEmpty) {
    { Owner empty; }
    EXPECT_TRUE(Closed().empty());
    {
        Owner moved(&FFirst);
        Owner owner(std::move(moved));
        EXPECT_FALSE(moved);
        EXPECT_EQ(owner.get(), &FFirst);
    }
    EXPECT_EQ(Closed(), std::vector<int*>{&FFirst});
}

TEST_F(UniqueHandleTest, ResetAssignmentAndReleaseDecideWhatIsClosed) {
    Owner owner(&FFirst);
    owner.reset(&FSecond);
    EXPECT_EQ(Closed(), std::vector<int*>{&FFirst});
    owner = Owner(&FFirst);
    EXPECT_EQ(Closed(), (std::vector<int*>{&FFirst, &FSecond}));
    EXPECT_EQ(owner.release(), &FFirst);
    EXPECT_FALSE(owner);
    *owner.put() = &FSecond;
    EXPECT_EQ(owner.get(), &FSecond);
    owner.reset();
    EXPECT_EQ(Closed(), (std::vector<int*>{&FFirst, &FSecond, &FSecond}));
}

TEST_F(UniqueHandleTest, TraitsWithStateTravelWithTheHandle) {
    std::vector<int*> first;
    std::vector<int*> second;
    {
        UniqueHandle<CarriedTraits> a(&FFirst, CarriedTraits{&first});
        UniqueHandle<CarriedTraits> b(&FSecond, CarriedTraits{&second});
        b = std::move(a);  // closes FSecond with b's own call, then takes a's
        EXPECT_EQ(second, std::vector<int*>{&FSecond});
        UniqueHandle<CarriedTraits> c(std::move(b));
        EXPECT_TRUE(first.empty());
    }
    EXPECT_EQ(first, std::vector<int*>{&FFirst});
    EXPECT_EQ(second, std::vector<int*>{&FSecond});
}

TEST_F(UniqueHandleTest, TraitsMayNameTheirOwnInvalidValue) {
    {
        NumberOwner empty;
        EXPECT_FALSE(empty);
        EXPECT_EQ(empty.get(), -1);
        NumberOwner failed(-1);
        EXPECT_FALSE(failed);
        NumberOwner zero(0);
        EXPECT_TRUE(zero);
        EXPECT_EQ(zero.release(), 0);
        EXPECT_EQ(zero.get(), -1);
        NumberOwner owner(3);
        owner.reset(-1);
        owner.reset(4);
        NumberOwner moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(owner.get(), -1);
        *moved.put() = 0;
    }
    EXPECT_EQ(ClosedNumbers(), (std::vector<int>{3, 4, 0}));
}

}  // namespace
