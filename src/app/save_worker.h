// Saving beside the window: one thread that carries out the saves handed
// to it, in the order they came, so that a later save never overtakes an
// earlier one; what each found goes back to the window's thread, which
// takes it up when woken. The window never waits for a file while the
// user works; a close waits for the saves under way before its own.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tavlin {

class SaveWorker {
 public:
  // A save: run beside the window. It returns what the window's thread is
  // to do with what it found.
  using Job = std::function<std::function<void()>()>;

  // wake tells the window's thread that results wait (a posted message):
  // it is called on the worker's thread.
  explicit SaveWorker(std::function<void()> wake);
  SaveWorker(const SaveWorker&) = delete;
  SaveWorker& operator=(const SaveWorker&) = delete;
  // Finishes the saves under way, then ends the thread.
  ~SaveWorker();

  // Hands a save over; returns at once.
  void Post(Job job);
  // On the window's thread: does what the finished saves left to do, in
  // their order.
  void TakeResults();
  // On the window's thread: waits until every save handed over is done,
  // then takes their results.
  void Finish();
  // Whether a save is handed over and not yet taken up.
  bool Busy() const;

 private:
  void Run();

  std::function<void()> wake_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  std::vector<std::function<void()>> results_;
  std::size_t unfinished_ = 0;  // posted, not yet taken up
  std::size_t waking_ = 0;      // results whose wake is under way
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace tavlin
