// One page's storage list as the host keeps it between saves.
#pragma once

#include <string>
#include <vector>

#include "src/app/changed_on_disk.h"
#include "src/app/removed_lines.h"
#include "src/storage/storage_save.h"

namespace tavlin {

struct PageList {
  // The saves' while one runs beside the window (saving): the window's
  // thread leaves it alone until the result is taken up.
  StorageFileState file;
  std::u16string shown_at_load;  // the text as loaded
  bool changed = false;          // typed into since its last save
  bool load_failed = false;      // its file is merged with, never written over
  bool locked = false;           // its last save found another copy's lock
  bool saving = false;           // a save of it runs beside the window
  bool save_again = false;       // typed into while it ran: saved again after
  std::string last_failure;      // why its last save failed
  // Lines that went out of the list, for the user to put back.
  RemovedLines removed;
  // The last look at the file after its folder reported a change; the
  // saves' while one runs, as file is.
  std::optional<DiskLook> disk_look;
};

}  // namespace tavlin
