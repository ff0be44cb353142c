#include "win32/system/png_encoder_win32.h"

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <vector>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/bgr_rows_win32.h"
#include "win32/system/com_ptr_win32.h"

namespace tavlin {

namespace {

void Check(HRESULT result) {
  if (FAILED(result)) throw TavlinError(kCannotCreatePng);
}

}  // namespace

std::string EncodePng(const void* pixels, int width, int height, int dpi) {
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, factory.ReceiveVoid()));
  ComPtr<IStream> stream;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()));
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr,
                               encoder.Receive()));
  Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  Check(encoder->CreateNewFrame(frame.Receive(), options.Receive()));
  Check(frame->Initialize(options.get()));
  Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)));
  Check(frame->SetResolution(dpi, dpi));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Check(frame->SetPixelFormat(&format));
  if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
    throw TavlinError(kCannotCreatePng);

  // Handed over a band of rows at a time, three bytes a pixel.
  const auto* source = static_cast<const std::uint8_t*>(pixels);
  const auto stride = static_cast<UINT>(Bgr24Stride(width));
  constexpr int kBand = 128;
  std::vector<BYTE> band(static_cast<std::size_t>(stride) * kBand);
  for (int top = 0; top < height; top += kBand) {
    const int rows = std::min(kBand, height - top);
    for (int row = 0; row < rows; ++row) {
      PackBgr24Row(source + static_cast<std::size_t>(top + row) * width * 4,
                   band.data() + static_cast<std::size_t>(row) * stride, width);
    }
    Check(frame->WritePixels(static_cast<UINT>(rows), stride,
                             stride * static_cast<UINT>(rows), band.data()));
  }
  Check(frame->Commit());
  Check(encoder->Commit());

  STATSTG status{};
  Check(stream->Stat(&status, STATFLAG_NONAME));
  HGLOBAL memory = nullptr;
  Check(GetHGlobalFromStream(stream.get(), &memory));
  const void* bytes = GlobalLock(memory);
  if (!bytes) throw TavlinError(kCannotCreatePng);
  std::string png(static_cast<const char*>(bytes),
                  static_cast<std::size_t>(status.cbSize.QuadPart));
  GlobalUnlock(memory);
  return png;
}

}  // namespace tavlin
