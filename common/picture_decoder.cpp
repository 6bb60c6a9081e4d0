// The picture decoder on Windows: the Windows Imaging Component reads the
// bytes from memory and converts the first frame to 32-bit BGRA, which is
// laid over white here, as a transparent logo shows on paper. Windows only:
// the native build has picture_decoder_stand_in.cpp.
#ifdef _WIN32
#include "common/picture_decoder.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <vector>

namespace {

// Beyond this a file is taken for no logo (a 16-megapixel photograph is
// still read); the bound keeps a corrupt size from asking for gigabytes.
constexpr unsigned long long kMostPixels = 64ull * 1024 * 1024;

template <typename T>
void Release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

bool DecodeWith(IWICImagingFactory* factory, const std::string& bytes, Picture& picture) {
  IWICStream* stream = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  UINT wide = 0, high = 0;
  BYTE* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
  bool read =
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size()))) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                 &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                      WICBitmapDitherTypeNone, nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&wide, &high)) && wide > 0 && high > 0 &&
      static_cast<unsigned long long>(wide) * high <= kMostPixels;
  std::vector<BYTE> bgra;
  if (read) {
    bgra.resize(static_cast<std::size_t>(wide) * high * 4);
    read = SUCCEEDED(converter->CopyPixels(nullptr, wide * 4, static_cast<UINT>(bgra.size()),
                                           bgra.data()));
  }
  Release(converter);
  Release(frame);
  Release(decoder);
  Release(stream);
  if (!read) return false;
  picture.wide = static_cast<int>(wide);
  picture.high = static_cast<int>(high);
  picture.rgb.resize(static_cast<std::size_t>(wide) * high * 3);
  for (std::size_t i = 0, o = 0; i < bgra.size(); i += 4, o += 3) {
    unsigned alpha = bgra[i + 3];
    for (int c = 0; c < 3; ++c) {
      unsigned over = (bgra[i + 2 - c] * alpha + 255 * (255 - alpha) + 127) / 255;
      picture.rgb[o + c] = static_cast<std::uint8_t>(over);
    }
  }
  return true;
}

}  // namespace

bool DecodePicture(const std::string& bytes, Picture& picture) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return false;
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  bool decoded = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                            CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
                 DecodeWith(factory, bytes, picture);
  Release(factory);
  if (SUCCEEDED(com)) CoUninitialize();
  return decoded;
}
#endif  // _WIN32
