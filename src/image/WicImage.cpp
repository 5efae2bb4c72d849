#include "image/WicImage.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"
#include "util/ReplacementFile.h"
#include "util/Win32.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <new>
#include <vector>

namespace tessark::image {
namespace {

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** Out()
    {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset()
    {
        if (p_ != nullptr)
            p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// COM for the calling thread, for as long as the codecs are used. A thread
// already in another apartment (the window's is single-threaded) keeps it.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool ok() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

// Raised inside this file only, and turned into the returned text.
struct Failure {
    std::wstring text;
};

[[noreturn]] void Fail(std::wstring_view pattern, const std::wstring& path)
{
    throw Failure{FormatMessageText(pattern, path)};
}

bool CannotOpen(HRESULT hr)
{
    for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION,
                       ERROR_INVALID_NAME, ERROR_BAD_NETPATH})
        if (hr == HRESULT_FROM_WIN32(code))
            return true;
    return false;
}

void Require(HRESULT hr, std::wstring_view pattern, const std::wstring& path)
{
    if (FAILED(hr))
        Fail(pattern, path);
}

void CreateFactory(const ComApartment& apartment, ComRef<IWICImagingFactory>& factory)
{
    if (!apartment.ok() || FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                                   __uuidof(IWICImagingFactory), factory.OutVoid())))
        throw Failure{std::wstring(msg::ImagingUnavailable)};
}

void OpenDecoder(IWICImagingFactory* factory, const std::wstring& path, ComRef<IWICBitmapDecoder>& decoder)
{
    const HRESULT hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                          WICDecodeMetadataCacheOnDemand, decoder.Out());
    if (hr == WINCODEC_ERR_COMPONENTNOTFOUND)
        Fail(msg::PictureFormatUnknown, path);
    if (CannotOpen(hr))
        Fail(msg::CannotOpenFile, path);
    Require(hr, msg::PictureDamaged, path);
}

// The converted pixels, blue, green, red, alpha, into the picture, a band of
// rows at a time so that a large picture needs no second copy of itself.
void CopyPixels(IWICBitmapSource* converted, AlphaPicture& out, const std::wstring& path)
{
    const std::int32_t width = out.colours.width(), height = out.colours.height();
    const UINT stride = static_cast<UINT>(width) * 4;
    constexpr std::int32_t BandRows = 64;
    std::vector<BYTE> band(static_cast<std::size_t>(stride) * BandRows);
    for (std::int32_t top = 0; top < height; top += BandRows) {
        const std::int32_t rows = std::min(BandRows, height - top);
        const WICRect rect{0, top, width, rows};
        Require(converted->CopyPixels(&rect, stride, stride * static_cast<UINT>(rows), band.data()), msg::PictureDamaged,
                path);
        for (std::int32_t r = 0; r < rows; ++r) {
            const BYTE* pixel = band.data() + static_cast<std::size_t>(r) * stride;
            std::uint8_t* colour = out.colours.Row(top + r);
            std::uint8_t* alpha = out.alpha.data() + static_cast<std::size_t>(top + r) * static_cast<std::size_t>(width);
            for (std::int32_t x = 0; x < width; ++x, pixel += 4, colour += 3) {
                std::copy_n(pixel, 3, colour);
                alpha[x] = pixel[3];
            }
        }
    }
}

AlphaPicture Read(const std::wstring& path)
{
    ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    CreateFactory(apartment, factory);
    ComRef<IWICBitmapDecoder> decoder;
    OpenDecoder(factory.get(), path, decoder);
    ComRef<IWICBitmapFrameDecode> frame;
    Require(decoder->GetFrame(0, frame.Out()), msg::PictureDamaged, path);
    UINT width = 0, height = 0;
    Require(frame->GetSize(&width, &height), msg::PictureDamaged, path);
    if (width == 0 || height == 0)
        Fail(msg::PictureDamaged, path);
    Picture::CheckSize(width, height);
    ComRef<IWICFormatConverter> converter;
    Require(factory->CreateFormatConverter(converter.Out()), msg::ImagingUnavailable, path);
    Require(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                  WICBitmapPaletteTypeCustom),
            msg::PictureDamaged, path);
    AlphaPicture out{Picture(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)), {}};
    try {
        out.alpha.resize(static_cast<std::size_t>(width) * height);
    } catch (const std::bad_alloc&) {
        Picture::TooLarge(width, height);
    }
    CopyPixels(converter.get(), out, path);
    ForgetOpaqueAlpha(out);
    return out;
}

std::wstring WriteFailure(HRESULT hr, const std::wstring& path)
{
    if (hr == HRESULT_FROM_WIN32(ERROR_DISK_FULL) || hr == HRESULT_FROM_WIN32(ERROR_HANDLE_DISK_FULL))
        return std::wstring(msg::DiskFull);
    return FormatMessageText(msg::PngNotWritten, path);
}

// The encoding proper, into a stream already open on the file.
HRESULT EncodePng(IWICImagingFactory* factory, IWICStream* stream, const Picture& picture)
{
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    HRESULT hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(frame.Out(), options.Out());
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options.get());
    if (SUCCEEDED(hr))
        hr = frame->SetSize(static_cast<UINT>(picture.width()), static_cast<UINT>(picture.height()));
    // The picture's rows are already 24-bit blue, green, red, top row first.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    const auto stride = static_cast<UINT>(picture.stride());
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(static_cast<UINT>(picture.height()), stride, stride * static_cast<UINT>(picture.height()),
                                const_cast<BYTE*>(picture.data()));
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}

// The whole PNG in memory, so that the file is written by the one careful
// way of the program: beside it first, in its place only once complete.
std::string EncodeInMemory(const Picture& picture, const std::wstring& path)
{
    ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    CreateFactory(apartment, factory);
    ComRef<IStream> memory;
    Require(CreateStreamOnHGlobal(nullptr, TRUE, memory.Out()), msg::PngNotWritten, path);
    ComRef<IWICStream> stream;
    Require(factory->CreateStream(stream.Out()), msg::ImagingUnavailable, path);
    Require(stream->InitializeFromIStream(memory.get()), msg::PngNotWritten, path);
    if (const HRESULT hr = EncodePng(factory.get(), stream.get(), picture); FAILED(hr))
        throw Failure{WriteFailure(hr, path)};
    HGLOBAL block = nullptr;
    Require(GetHGlobalFromStream(memory.get(), &block), msg::PngNotWritten, path);
    STATSTG status{};
    Require(memory->Stat(&status, STATFLAG_NONAME), msg::PngNotWritten, path);
    const void* bytes = GlobalLock(block);
    if (bytes == nullptr)
        Fail(msg::PngNotWritten, path);
    std::string png(static_cast<const char*>(bytes), static_cast<std::size_t>(status.cbSize.QuadPart));
    GlobalUnlock(block);
    return png;
}

std::wstring Save(const Picture& picture, const std::wstring& path)
{
    if (picture.empty())
        return FormatMessageText(msg::PngNotWritten, path);
    const std::string png = EncodeInMemory(picture, path);
    try {
        ReplacementFile out(path);
        out.Write(png.data(), png.size());
        out.Commit(true);
    } catch (const UserError& failure) {
        return FormatMessageText(msg::PngNotWritten, path) + L"\r\n" + ErrorDisplayText(failure.text());
    }
    return {};
}

} // namespace

WicRead ReadPictureWithWic(const std::wstring& path) noexcept
{
    try {
        return {Read(path), {}};
    } catch (const Failure& failure) {
        return {{}, failure.text};
    } catch (const UserError& error) {
        return {{}, error.text()};
    } catch (...) {
        return {{}, FormatMessageText(msg::PictureDamaged, path)};
    }
}

std::wstring SavePngWithWic(const Picture& picture, const std::wstring& path) noexcept
{
    try {
        return Save(picture, path);
    } catch (const Failure& failure) {
        return failure.text;
    } catch (...) {
        return FormatMessageText(msg::PngNotWritten, path);
    }
}

} // namespace tessark::image
