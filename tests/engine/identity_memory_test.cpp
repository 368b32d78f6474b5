#include "engine/identity_memory.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

using namespace kestrin;

namespace {

std::string id(int n)
{
    return "id" + std::to_string(n);
}

} // namespace

TEST(IdentityMemory, FillsFromSlotZeroWithoutDuplicates)
{
    IdentityMemory memory;
    EXPECT_EQ(memory.capacity(), 256u);
    EXPECT_FALSE(memory.find("a"));
    memory.insert("a");
    memory.insert("b");
    memory.insert("a");
    memory.insert("");
    const std::vector<std::string> slots = memory.slotContents();
    ASSERT_EQ(slots.size(), 256u);
    EXPECT_EQ(slots[0], "a");
    EXPECT_EQ(slots[1], "b");
    EXPECT_EQ(slots[2], "");
    EXPECT_TRUE(memory.find("a"));
    EXPECT_FALSE(memory.find("A"));
    EXPECT_FALSE(memory.find(""));
    memory.clear();
    EXPECT_FALSE(memory.find("a"));
    EXPECT_EQ(memory.slotContents(), std::vector<std::string>(256));
}

TEST(IdentityMemory, OldestIsPushedOutWhenFull)
{
    IdentityMemory memory;
    for (int i = 1; i <= 257; ++i)
        memory.insert(id(i));
    std::vector<std::string> slots = memory.slotContents();
    for (int slot = 0; slot < 256; ++slot)
        ASSERT_EQ(slots[slot], id(slot + 2));
    EXPECT_FALSE(memory.find(id(1)));
    EXPECT_TRUE(memory.find(id(257)));

    // Present already: nothing moves.
    memory.insert(id(100));
    EXPECT_EQ(memory.slotContents(), slots);

    // The one pushed out can come back, as the newest.
    memory.insert(id(1));
    slots = memory.slotContents();
    EXPECT_EQ(slots.front(), id(3));
    EXPECT_EQ(slots.back(), id(1));
    EXPECT_FALSE(memory.find(id(2)));
}

TEST(IdentityMemory, LargeCapacityStaysConsistent)
{
    IdentityMemory memory(100000);
    for (int i = 0; i < 250000; ++i)
        memory.insert(id(i % 150000));
    const std::vector<std::string> slots = memory.slotContents();
    // After 150000 distinct identities 50000..149999 remain; re-inserting 0..49999
    // pushes out 50000..99999, which then come back in turn and push out the rest.
    ASSERT_EQ(slots.size(), 100000u);
    for (int slot = 0; slot < 100000; ++slot)
        ASSERT_EQ(slots[slot], id(slot));
    EXPECT_FALSE(memory.find(id(100000)));
    EXPECT_THROW(IdentityMemory(0), std::invalid_argument);
}

TEST(IdentityMemory, ConcurrentInsertsKeepEveryIdentityOnce)
{
    IdentityMemory memory(4096);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&memory, t] {
            for (int i = 0; i < 1000; ++i) {
                memory.insert(id(t * 1000 + i));
                memory.insert(id(i)); // shared by every thread
                memory.find(id(i + 1));
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const std::vector<std::string> slots = memory.slotContents();
    const std::set<std::string> distinct(slots.begin(), slots.end() - (4096 - 4000));
    EXPECT_EQ(distinct.size(), 4000u);
    EXPECT_EQ(slots[4000], "");
    for (int i = 0; i < 4000; ++i)
        EXPECT_TRUE(memory.find(id(i))) << i;
}
