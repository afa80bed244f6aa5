#include "WindowPng.h"

#include <wincodec.h>

#include <stdexcept>

#include "Handles.h"

namespace {

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw std::runtime_error(std::string(what) + " failed");
    }
}

UniqueBitmap CopyClientArea(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    WindowDC screen(window);
    UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    if (!memory || !bitmap) {
        throw std::runtime_error("out of GDI resources");
    }
    ScopedSelect select(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY)) {
        throw std::runtime_error("cannot copy the window's pixels");
    }
    return bitmap;
}

void WritePng(IWICImagingFactory& factory, IWICBitmapSource& source, const std::wstring& path) {
    UniqueCom<IWICStream> stream;
    Check(factory.CreateStream(stream.put()), "CreateStream");
    Check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "opening the output file");
    UniqueCom<IWICBitmapEncoder> encoder;
    Check(factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()), "CreateEncoder");
    Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache), "initialising the encoder");
    UniqueCom<IWICBitmapFrameEncode> frame;
    Check(encoder->CreateNewFrame(frame.put(), nullptr), "CreateNewFrame");
    Check(frame->Initialize(nullptr), "initialising the frame");
    UINT width = 0;
    UINT height = 0;
    Check(source.GetSize(&width, &height), "GetSize");
    Check(frame->SetSize(width, height), "SetSize");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "SetPixelFormat");
    Check(frame->WriteSource(&source, nullptr), "WriteSource");
    Check(frame->Commit(), "committing the frame");
    Check(encoder->Commit(), "writing the PNG file");
}

} // namespace

void SaveClientAreaPng(HWND window, const std::wstring& path) {
    UniqueBitmap pixels = CopyClientArea(window);
    ComInitialization com;
    UniqueCom<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put())),
          "creating the imaging factory");
    UniqueCom<IWICBitmap> bitmap;
    Check(
        factory->CreateBitmapFromHBITMAP(pixels.get(), nullptr, WICBitmapIgnoreAlpha, bitmap.put()),
        "CreateBitmapFromHBITMAP");
    WritePng(*factory.get(), *bitmap.get(), path);
}
