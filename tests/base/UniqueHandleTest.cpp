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

class UniqueHandleTest : public ::testing::Test {
  protected:
    void SetUp() override { Closed().clear(); }
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

}  // namespace
