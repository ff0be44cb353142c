// Draws the README's example poster with the program's own drawing routine
// and PNG writer: make_poster FILE SLOGAN [FOOT LINE], at 300 dpi.
#include <windows.h>

#include <objbase.h>

#include <cstdio>

#include "src/platform/atomic_save.h"
#include "win32/gui/poster_drawing_win32.h"
#include "win32/system/png_encoder_win32.h"
#include "win32/system/wide_text_win32.h"

int wmain(int argc, wchar_t** argv) {
  using namespace tavlin;
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_poster FILE SLOGAN [FOOT LINE]\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  try {
    PosterText text;
    text.slogan = AsU16(argv[2]);
    if (argc > 3) text.footer = AsU16(argv[3]);
    const PosterBitmap poster = RenderPoster(kA4At300Dpi, text);
    SaveFileAtomically(
        argv[1],
        EncodePng(poster.pixels, poster.page.width, poster.page.height, 300),
        ExistingFile::Replace);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "make_poster: %s\n", failure.what());
    return 1;
  }
  CoUninitialize();
  return 0;
}
