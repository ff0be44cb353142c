// The bottom folder including a folder above it.
#pragma once

#include "src/storage/storage_file.h"
