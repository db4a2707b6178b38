#include "graphics/TBitmap.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "classes/TFiler.h"
#include "graphics/BitmapImages.h"
#include "graphics/BmpCodec.h"
#include "graphics/TCanvas.h"

namespace {

// A canvas on a memory context that the bitmap is selected into; it lets go of the context
// when the bitmap gets a new image.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { Detach(); }
    void Detach() {
        HDC dc = CurrentHandle();
        if (!dc) return;
        SetHandle(nullptr);
        SelectObject(dc, FOldBitmap);
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override {
        if (!FBitmap.Handle()) return;
        HDC dc = CreateCompatibleDC(nullptr);
        FOldBitmap = SelectObject(dc, FBitmap.Handle());
        SetHandle(dc);
    }

private:
    TBitmap& FBitmap;
    HBITMAP FOldBitmap = nullptr;
};

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    FCanvas.reset();
    BitmapImages::Delete(FHandle);
}

void TBitmap::DetachCanvas() const {
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->Detach();
}

void TBitmap::SetHandle(HBITMAP handle) {
    if (handle == FHandle) return;
    Replace(handle, TPoint{});
}

void TBitmap::Replace(HBITMAP handle, TPoint emptySize) {
    DetachCanvas();
    if (handle != FHandle) BitmapImages::Delete(FHandle);
    FHandle = handle;
    FEmptySize = handle ? TPoint{} : emptySize;
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    DetachCanvas();
    HBITMAP h = FHandle;
    FHandle = nullptr;
    FEmptySize = TPoint{};
    return h;
}

int TBitmap::Width() const {
    return FHandle ? BitmapImages::Size(FHandle).X : FEmptySize.X;
}
int TBitmap::Height() const {
    return FHandle ? BitmapImages::Size(FHandle).Y : FEmptySize.Y;
}

TBitmapImage TBitmap::Image() const {
    DetachCanvas();
    return BitmapImages::Read(FHandle);
}

void TBitmap::SetImage(const TBitmapImage& image) {
    Replace(BitmapImages::Create(image), TPoint{image.Width(), image.Height()});
}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    TBitmapImage image(width, height, 0x00FFFFFF);
    if (FHandle) {
        const TBitmapImage old = Image();
        image.BitsPerPixel = old.BitsPerPixel;
        image.Palette = old.Palette;
        image.FieldMasks = old.FieldMasks;
        for (int y = 0; y < std::min(height, old.Height()); ++y)
            for (int x = 0; x < std::min(width, old.Width()); ++x)
                image.Pixels.Set(x, y, old.Pixels.At(x, y));
    }
    SetImage(image);
}

void TBitmap::SetWidth(int value) {
    SetSize(value, Height());
}
void TBitmap::SetHeight(int value) {
    SetSize(Width(), value);
}

void TBitmap::Assign(const TPersistent* source) {
    if (source == this) return;
    if (!source) {
        SetHandle(nullptr);
        return;
    }
    if (auto* b = dynamic_cast<const TBitmap*>(source)) {
        if (b->FHandle)
            SetImage(b->Image());
        else
            Replace(nullptr, b->FEmptySize);
        return;
    }
    TGraphicsObject::Assign(source);
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return FCanvas.get();
}

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
    // No bytes at all are what an empty bitmap saves.
    if (size == 0) {
        SetHandle(nullptr);
        return;
    }
    SetImage(BmpCodec::DecodeFile(data, size));
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    return Empty() ? std::vector<std::uint8_t>{} : BmpCodec::EncodeFile(Image());
}

void TBitmap::LoadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInvalidGraphic(path + ": cannot open the file");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    try {
        LoadFromBytes(bytes.data(), bytes.size());
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(path + ": " + e.what());
    }
}

void TBitmap::SaveToFile(const std::string& path) const {
    std::vector<std::uint8_t> bytes = SaveToBytes();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw EInvalidGraphic(path + ": cannot write the file");
}

// The picture is stored as the binary property "Data": the length of the .bmp file as a
// 32-bit number, then the file.
void TBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data",
        [this](std::span<const std::uint8_t> data) {
            if (data.size() < 4)
                throw EInvalidGraphic("the bitmap data hold " + std::to_string(data.size()) +
                                      " bytes, too few for the length of a bitmap file");
            const std::uint32_t length = data[0] | (data[1] << 8) | (data[2] << 16) |
                                         (static_cast<std::uint32_t>(data[3]) << 24);
            if (length > data.size() - 4)
                throw EInvalidGraphic("the bitmap data claim a file of " + std::to_string(length) +
                                      " bytes but hold " + std::to_string(data.size() - 4));
            try {
                LoadFromBytes(data.data() + 4, length);
            } catch (const EInvalidGraphic& e) {
                throw EInvalidGraphic(std::string("in the bitmap file, ") + e.what());
            }
        },
        [this] {
            const std::vector<std::uint8_t> file = SaveToBytes();
            std::vector<std::uint8_t> data;
            data.reserve(4 + file.size());
            for (int i = 0; i < 4; ++i)
                data.push_back(static_cast<std::uint8_t>(file.size() >> (8 * i)));
            for (std::uint8_t b : file) data.push_back(b);
            return data;
        },
        !Empty());
}

const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo info{
        "TBitmap", &TPersistent::StaticClassInfo(), "Graphics", {}, nullptr};
    return info;
}
