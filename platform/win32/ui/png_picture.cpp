#include "platform/win32/ui/png_picture.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

#include "platform/win32/ui/twips.h"

namespace win32_ui {
namespace {

using Microsoft::WRL::ComPtr;

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// Resources live as long as the program; nothing to free.
ResourceBytes resourceBytes(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

// The picture's pixels at width x height as 32-bit BGRA, rows top down.
std::vector<std::uint8_t> decodePng(const ResourceBytes& png, UINT width, UINT height) {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory)))) {
    return {};
  }
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data), png.size)) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame))) {
    return {};
  }
  ComPtr<IWICBitmapSource> source = frame;
  UINT naturalWidth = 0, naturalHeight = 0;
  if (FAILED(frame->GetSize(&naturalWidth, &naturalHeight))) return {};
  if (naturalWidth != width || naturalHeight != height) {
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(frame.Get(), width, height, WICBitmapInterpolationModeFant))) {
      return {};
    }
    source = scaler;
  }
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(source.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return {};
  }
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                   pixels.data()))) {
    return {};
  }
  return pixels;
}

std::uint8_t over(std::uint8_t colour, std::uint8_t alpha, std::uint8_t background) {
  return static_cast<std::uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

// A 24-bit bitmap of the pixels laid onto the background colour.
UniqueBitmap opaqueBitmap(const std::vector<std::uint8_t>& bgra, int width, int height,
                          COLORREF background) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return nullptr;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = rows + stride * static_cast<std::size_t>(y);
    const std::uint8_t* in =
        bgra.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
      out[0] = over(in[0], in[3], GetBValue(background));
      out[1] = over(in[1], in[3], GetGValue(background));
      out[2] = over(in[2], in[3], GetRValue(background));
    }
  }
  GdiFlush();
  return bitmap;
}

}  // namespace

SIZE pictureSize(const PictureResource& picture, unsigned dpi) {
  return {scaleFrom96(picture.width, dpi), scaleFrom96(picture.height, dpi)};
}

void ControlPicture::show(HWND control, UINT setImage, unsigned dpi) {
  if (shownDpi_ == dpi) return;
  LoadedPicture loaded = loadPicture(picture_, dpi, GetSysColor(COLOR_BTNFACE));
  SendMessageW(control, setImage, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded.bitmap.get()));
  loaded_ = std::move(loaded);  // the old bitmap goes once the control shows the new one
  shownDpi_ = dpi;
}

LoadedPicture loadPicture(const PictureResource& picture, unsigned dpi, COLORREF background) {
  LoadedPicture loaded;
  loaded.width = scaleFrom96(picture.width, dpi);
  loaded.height = scaleFrom96(picture.height, dpi);
  const ResourceBytes png =
      resourceBytes(dpi > kDefaultDpi ? picture.resource192 : picture.resource96);
  if (png.data == nullptr || loaded.width <= 0 || loaded.height <= 0) return loaded;
  const std::vector<std::uint8_t> pixels =
      decodePng(png, static_cast<UINT>(loaded.width), static_cast<UINT>(loaded.height));
  if (!pixels.empty()) {
    loaded.bitmap = opaqueBitmap(pixels, loaded.width, loaded.height, background);
  }
  return loaded;
}

}  // namespace win32_ui
