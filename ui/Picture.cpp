#include "Picture.h"

#include <wincodec.h>

#include "Handles.h"

namespace {

UniqueCom<IWICImagingFactory> MakeFactory() {
    UniqueCom<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))))
        return {};
    return factory;
}

TBitmapPixels CopyPixels(IWICBitmapSource* source) {
    UINT width = 0;
    UINT height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    TBitmapPixels picture{static_cast<int>(width), static_cast<int>(height),
                          std::vector<std::uint32_t>(std::size_t{width} * height)};
    const UINT stride = width * 4;
    if (FAILED(source->CopyPixels(nullptr, stride, stride * height,
                                  reinterpret_cast<BYTE*>(picture.Pixels.data()))))
        return {};
    return picture;
}

}  // namespace

TBitmapPixels DecodePicture(std::span<const unsigned char> data) {
    ComInitialization com;
    UniqueCom<IWICImagingFactory> factory = MakeFactory();
    UniqueCom<IWICStream> stream;
    UniqueCom<IWICBitmapDecoder> decoder;
    UniqueCom<IWICBitmapFrameDecode> frame;
    UniqueCom<IWICFormatConverter> converter;
    if (!factory || data.empty() || FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()),
                                            static_cast<DWORD>(data.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    return CopyPixels(converter.get());
}

TBitmapPixels ScalePicture(const TBitmapPixels& picture, int width, int height) {
    if (picture.Empty() || width <= 0 || height <= 0)
        return {};
    ComInitialization com;
    UniqueCom<IWICImagingFactory> factory = MakeFactory();
    UniqueCom<IWICBitmap> bitmap;
    UniqueCom<IWICBitmapScaler> scaler;
    const UINT stride = static_cast<UINT>(picture.Width) * 4;
    if (!factory ||
        FAILED(factory->CreateBitmapFromMemory(
            static_cast<UINT>(picture.Width), static_cast<UINT>(picture.Height),
            GUID_WICPixelFormat32bppPBGRA, stride, stride * static_cast<UINT>(picture.Height),
            reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(picture.Pixels.data())),
            bitmap.put())) ||
        FAILED(factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(bitmap.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                  WICBitmapInterpolationModeFant)))
        return {};
    return CopyPixels(scaler.get());
}

void CompositeOver(TBitmapPixels& picture, COLORREF background) {
    const std::uint32_t backgroundChannels[3] = {GetBValue(background), GetGValue(background),
                                                 GetRValue(background)};
    for (std::uint32_t& pixel : picture.Pixels) {
        const std::uint32_t transparency = 255 - (pixel >> 24);
        std::uint32_t result = 0xFF000000u;
        for (int channel = 0; channel < 3; ++channel) {
            const int shift = 8 * channel;
            const std::uint32_t value = ((pixel >> shift) & 0xFF) +
                                        (backgroundChannels[channel] * transparency + 127) / 255;
            result |= (value > 255 ? 255 : value) << shift;
        }
        pixel = result;
    }
}

RECT FitProportional(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {};
    int width = boxWidth;
    int height = MulDiv(pictureHeight, boxWidth, pictureWidth);
    if (height > boxHeight) {
        height = boxHeight;
        width = MulDiv(pictureWidth, boxHeight, pictureHeight);
    }
    const int left = (boxWidth - width) / 2;
    const int top = (boxHeight - height) / 2;
    return {left, top, left + width, top + height};
}
