// When the main window saves a storage list: after a pause in typing, and
// again after a save that could not run, by what that save found. The
// window only arms the timers this says.
#pragma once

#include <optional>

#include "src/storage/storage_save.h"

namespace tavlin {

// Typing is saved after this long without a keystroke, in milliseconds.
inline constexpr unsigned kTypingPauseMs = 2000;
// Another copy holds a lock for the few milliseconds of its save.
inline constexpr unsigned kLockedPauseMs = 250;
// A list that could be saved nowhere is tried again this often.
inline constexpr unsigned kFailedPauseMs = 10000;

// How long until the list is saved again; nothing where it is saved, or
// where nothing can wait any more (the end of a Windows session). A lock
// is waited for at every moment: a close waits for it too.
constexpr std::optional<unsigned> SaveRetryDelay(SaveOutcome::Result result,
                                                 SaveMoment moment) {
  switch (result) {
    case SaveOutcome::Result::Done:
      return std::nullopt;
    case SaveOutcome::Result::Locked:
      return kLockedPauseMs;
    case SaveOutcome::Result::Failed:
      if (moment == SaveMoment::WhileWorking) return kFailedPauseMs;
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tavlin
