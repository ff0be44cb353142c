// A poster PNG as the tests read it back: its size, resolution and where
// its columns of text stand.
#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

namespace tavlin {

struct Picture {
  UINT width = 0;
  UINT height = 0;
  double dpi = 0;
  std::vector<BYTE> gray;  // one byte a pixel, top row first
};

// Decoded through the Windows Imaging Component (COM entered by the
// caller); an empty picture where it cannot be read.
Picture ReadPng(const std::filesystem::path& file);

// The runs of ink across the page, right to left, each with how far down
// its ink reaches: one run a column of text.
struct InkColumn {
  UINT left, right, top, bottom;
};

std::vector<InkColumn> InkColumns(const Picture& picture);

}  // namespace tavlin
