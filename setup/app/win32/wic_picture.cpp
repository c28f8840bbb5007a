#include "setup/app/win32/wic_picture.h"

#include "platform/win32/windows_api.h"
// windows_api.h first: it fixes the macros the engines' names clash with.
#include <wincodec.h>

#include "setup/app/paint/background_field.h"
#include "setup/app/win32/com_scope_win32.h"

namespace setup::win32 {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

bool ReadWhole(const std::wstring& file, std::string* bytes) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(handle, &size) && GetFileType(handle) == FILE_TYPE_DISK && size.QuadPart >= 0 &&
            static_cast<unsigned long long>(size.QuadPart) <= kMaxPictureFileBytes;
  if (ok) {
    bytes->resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes->empty() ||
         (ReadFile(handle, bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) &&
          read == bytes->size());
  }
  CloseHandle(handle);
  return ok;
}

}  // namespace

paint::PixelBuffer DecodePictureWic(const std::string& bytes) {
  if (paint::PictureKindOf(bytes).empty() || bytes.size() > kMaxPictureFileBytes) return {};
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.out())))) {
    return {};
  }
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  // WIC reads from the bytes in place; they outlive every reader here.
  auto* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) || FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return {};
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 32768 ||
      height > 32768) {
    return {};
  }
  paint::PixelBuffer pixels(static_cast<int>(width), static_cast<int>(height));
  if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.pixels.data())))) {
    return {};
  }
  return pixels;
}

paint::PixelBuffer LoadPictureWic(const std::wstring& file) {
  std::string bytes;
  if (!ReadWhole(file, &bytes)) return {};
  return DecodePictureWic(bytes);
}

}  // namespace setup::win32
