#include "src/app/save_worker.h"

#include <exception>
#include <utility>

namespace tavlin {

SaveWorker::SaveWorker(std::function<void()> wake) : wake_(std::move(wake)) {}

SaveWorker::~SaveWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void SaveWorker::Post(Job job) {
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
    ++unfinished_;
  }
  changed_.notify_all();
  // Started with the first save, not with the window: a thread costs the
  // start a little, and many sessions save nothing before they close.
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
}

void SaveWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;  // stopping, with nothing left to save
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    std::function<void()> result;
    try {
      result = job();
    } catch (...) {
      // A job catches its own failures; this one is told where it is
      // taken up.
      result = [error = std::current_exception()] {
        std::rethrow_exception(error);
      };
    }
    lock.lock();
    results_.push_back(std::move(result));
    ++waking_;
    lock.unlock();
    if (wake_) wake_();
    lock.lock();
    --waking_;
    changed_.notify_all();
  }
}

void SaveWorker::TakeResults() {
  std::vector<std::function<void()>> results;
  {
    std::lock_guard lock(mutex_);
    results.swap(results_);
    unfinished_ -= results.size();
  }
  // Every result is taken up, even after one that fails; the first
  // failure is passed on once all are.
  std::exception_ptr first_failure;
  for (std::function<void()>& result : results) {
    try {
      if (result) result();
    } catch (...) {
      if (!first_failure) first_failure = std::current_exception();
    }
  }
  if (first_failure) std::rethrow_exception(first_failure);
}

void SaveWorker::Finish() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] {
      return jobs_.empty() && results_.size() == unfinished_ && waking_ == 0;
    });
  }
  TakeResults();
}

bool SaveWorker::Busy() const {
  std::lock_guard lock(mutex_);
  return unfinished_ > 0;
}

}  // namespace tavlin
