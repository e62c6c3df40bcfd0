#include <gtest/gtest.h>

#include "model/static_array.h"

using namespace tenzora;

// Reserving for n appends gives the capacity the appends themselves would give, in one step.
TEST(StaticArrayReserve, EndsAtTheCapacityOfOneByOneAppendsWithoutMovingTheElements) {
    for (int start : {0, 1, 199, 200}) {
        for (int n : {0, 1, 198, 199, 200, 201, 598, 1000}) {
            TZStaticArray<int> stepwise, reserved;
            for (int i = 0; i < start; ++i) {
                stepwise.append(i);
                reserved.append(i);
            }
            ASSERT_TRUE(reserved.reserveForAppends(n));
            const int* block = reserved.begin();
            for (int i = 0; i < n; ++i) {
                stepwise.append(i);
                reserved.append(i);
            }
            EXPECT_EQ(reserved.capacity(), stepwise.capacity()) << start << " + " << n;
            if (n > 0 && start > 0) {
                EXPECT_EQ(reserved.begin(), block) << start << " + " << n;
            }
        }
    }
}
