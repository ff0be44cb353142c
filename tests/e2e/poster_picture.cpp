#include "e2e/poster_picture.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>

#include "win32/system/com_ptr_win32.h"

namespace tavlin {

Picture ReadPng(const std::filesystem::path& file) {
  Picture picture;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  double dpi_y = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                              CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid())) ||
      FAILED(factory->CreateDecoderFromFilename(
          file.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnLoad,
          decoder.Receive())) ||
      FAILED(decoder->GetFrame(0, frame.Receive())) ||
      FAILED(frame->GetSize(&picture.width, &picture.height)) ||
      FAILED(frame->GetResolution(&picture.dpi, &dpi_y)) ||
      FAILED(factory->CreateFormatConverter(converter.Receive())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat8bppGray,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)))
    return {};
  picture.gray.resize(static_cast<std::size_t>(picture.width) * picture.height);
  if (FAILED(converter->CopyPixels(nullptr, picture.width,
                                   static_cast<UINT>(picture.gray.size()),
                                   picture.gray.data())))
    return {};
  return picture;
}

std::vector<InkColumn> InkColumns(const Picture& picture) {
  std::vector<InkColumn> columns;
  const UINT no_ink = picture.height;
  for (UINT x = picture.width; x-- > 0;) {
    UINT top = no_ink, bottom = 0;
    for (UINT y = 0; y < picture.height; ++y) {
      if (picture.gray[static_cast<std::size_t>(y) * picture.width + x] < 128) {
        top = std::min(top, y);
        bottom = y;
      }
    }
    if (top == no_ink) continue;
    // A gap of a few pixels lies between strokes of one character; columns
    // stand half a character apart.
    if (!columns.empty() && columns.back().left - x < 40) {
      InkColumn& column = columns.back();
      column.left = x;
      column.top = std::min(column.top, top);
      column.bottom = std::max(column.bottom, bottom);
    } else {
      columns.push_back({x, x, top, bottom});
    }
  }
  return columns;
}

}  // namespace tavlin
