#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/Disposal.h"

using namespace qv::engine;

TEST(Disposal, ReleasesRunInTurnOffTheCallersThreadAndCanBeWaitedFor) {
    std::mutex m;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::atomic<bool> go{false};
    // The first release holds the worker until the rest are queued behind it.
    disposeLater([&] {
        while (!go) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard<std::mutex> lock(m);
        order.push_back(0);
        threads.push_back(std::this_thread::get_id());
    });
    for (int i = 1; i < 5; ++i)
        disposeLater([&, i] {
            std::lock_guard<std::mutex> lock(m);
            order.push_back(i);
            threads.push_back(std::this_thread::get_id());
        });
    go = true;
    waitForDisposal();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    for (std::thread::id id : threads) EXPECT_NE(id, std::this_thread::get_id());
    // Nothing handed over: waiting returns at once.
    waitForDisposal();
}
