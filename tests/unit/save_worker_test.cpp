// Saving beside the window: saves run in the order they came, what they
// found is taken up only on the window's thread, a close waits for the
// saves under way, and a save that fails does not keep the others' results.
#include "src/app/save_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace tavlin {

namespace {

TEST(SaveWorkers, RunInOrderAndHandResultsToTheWindowsThread) {
  std::atomic<int> woken = 0;
  std::vector<int> ran, taken;
  SaveWorker worker([&] { ++woken; });
  for (int save = 0; save < 20; ++save)
    worker.Post([&ran, &taken, save]() -> std::function<void()> {
      ran.push_back(save);  // only the worker's thread touches ran
      return [&taken, save] { taken.push_back(save); };
    });
  EXPECT_TRUE(worker.Busy());
  worker.Finish();
  EXPECT_FALSE(worker.Busy());
  std::vector<int> in_order(20);
  for (int save = 0; save < 20; ++save) in_order[save] = save;
  EXPECT_EQ(ran, in_order);
  EXPECT_EQ(taken, in_order);
  EXPECT_EQ(woken, 20);
}

TEST(SaveWorkers, AFailedSaveIsToldAfterTheOthersAreTakenUp) {
  std::vector<int> taken;
  SaveWorker worker(nullptr);
  worker.Post(
      []() -> std::function<void()> { throw std::runtime_error("disk gone"); });
  worker.Post([&taken]() -> std::function<void()> {
    return [&taken] { taken.push_back(2); };
  });
  EXPECT_THROW(worker.Finish(), std::runtime_error);
  EXPECT_EQ(taken, std::vector<int>{2});
  EXPECT_FALSE(worker.Busy());
}

}  // namespace

}  // namespace tavlin
