#include "ui/image_list.h"

#include <algorithm>
#include <cstring>

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry {  // an entry of a RT_GROUP_ICON resource
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const void* ResourceData(int id, const wchar_t* type, DWORD* size = nullptr) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    if (size) *size = found ? SizeofResource(instance, found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

size_t ColourBytes(int size) { return static_cast<size_t>(size) * size * 4; }
size_t MaskBytes(int size) { return static_cast<size_t>((size + 31) / 32 * 4) * size; }

Bitmap BottomUpDib(int size, WORD bitCount, const void* bits, size_t bytes) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, size, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    void* target = nullptr;
    Bitmap dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &target, nullptr, 0));
    if (dib && target) std::memcpy(target, bits, bytes);
    return dib;
}

// The 32-bit image of icon `id` at `size` as it stands in the resources: a header,
// the colour rows from the bottom and the mask rows. Null when the resource has no
// such image (another size or depth, or PNG).
const BITMAPINFOHEADER* IconImage(int id, int size) {
    DWORD groupSize = 0;
    const auto* group = static_cast<const BYTE*>(ResourceData(id, RT_GROUP_ICON, &groupSize));
    if (!group || groupSize < 6) return nullptr;
    const WORD entries = *reinterpret_cast<const WORD*>(group + 4);
    if (groupSize < 6 + entries * sizeof(IconDirectoryEntry)) return nullptr;
    const auto* entry = reinterpret_cast<const IconDirectoryEntry*>(group + 6);
    for (WORD i = 0; i < entries; ++i, ++entry) {
        if (entry->width != size || entry->height != size || entry->bitCount != 32) continue;
        DWORD bytes = 0;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(ResourceData(entry->id, RT_ICON, &bytes));
        if (!header || bytes < sizeof(BITMAPINFOHEADER) + ColourBytes(size) + MaskBytes(size) ||
            header->biSize != sizeof(BITMAPINFOHEADER) || header->biWidth != size || header->biHeight != 2 * size ||
            header->biBitCount != 32 || header->biCompression != BI_RGB)
            return nullptr;
        return header;
    }
    return nullptr;
}

// Adds the image with its mask as they stand in the resources, as adding the loaded
// icon would, without the icon: under Wine each icon loaded and copied into a list
// costs some forty window-server round trips.
bool AddIconImage(HIMAGELIST list, int id, int size) {
    const BITMAPINFOHEADER* header = IconImage(id, size);
    if (!header) return false;
    const auto* colour = reinterpret_cast<const BYTE*>(header + 1);
    Bitmap colourDib = BottomUpDib(size, 32, colour, ColourBytes(size));
    Bitmap maskDib = BottomUpDib(size, 1, colour + ColourBytes(size), MaskBytes(size));
    return colourDib && maskDib && ImageList_Add(list, colourDib.Get(), maskDib.Get()) >= 0;
}

// The icon of the resources, or the system's default one in its place, so the
// pictures keep their indexes even when one is missing.
HICON IconOrDefault(const IconHandle& icon) { return icon.Get() ? icon.Get() : LoadIconW(nullptr, IDI_APPLICATION); }

BYTE Premultiplied(BYTE channel, BYTE alpha) { return static_cast<BYTE>((channel * alpha + 127) / 255); }

// The resource's image as a top-down picture with premultiplied transparency. An
// image whose alpha is empty throughout is an old-style one: its mask says what shows.
Bitmap PictureFromResource(int id, int size) {
    const BITMAPINFOHEADER* header = IconImage(id, size);
    if (!header) return {};
    void* bits = nullptr;
    Bitmap picture = CreateTopDownDib(nullptr, size, size, &bits);
    if (!picture || !bits) return {};
    const auto* colour = reinterpret_cast<const BYTE*>(header + 1);
    const BYTE* mask = colour + ColourBytes(size);
    const size_t maskStride = MaskBytes(size) / static_cast<size_t>(size);
    bool anyAlpha = false;
    for (size_t i = 3; i < ColourBytes(size); i += 4) anyAlpha = anyAlpha || colour[i] != 0;
    auto* out = static_cast<BYTE*>(bits);
    for (int row = 0; row < size; ++row) {
        const BYTE* in = colour + static_cast<size_t>(size - 1 - row) * size * 4;
        const BYTE* maskRow = mask + static_cast<size_t>(size - 1 - row) * maskStride;
        BYTE* target = out + static_cast<size_t>(row) * size * 4;
        for (int x = 0; x < size; ++x) {
            const bool masked = (maskRow[x / 8] >> (7 - x % 8)) & 1;
            const BYTE alpha = anyAlpha ? in[4 * x + 3] : (masked ? 0 : 255);
            for (int c = 0; c < 3; ++c) target[4 * x + c] = Premultiplied(in[4 * x + c], alpha);
            target[4 * x + 3] = alpha;
        }
    }
    return picture;
}

// Any icon as a picture: drawn once on black and once on white, the two show how
// much of the background comes through each pixel.
Bitmap PictureFromIcon(HICON icon, int size) {
    void* black = nullptr;
    void* white = nullptr;
    Bitmap picture = CreateTopDownDib(nullptr, size, size, &black);
    Bitmap other = CreateTopDownDib(nullptr, size, size, &white);
    if (!picture || !other || !black || !white) return {};
    std::memset(black, 0, ColourBytes(size));
    MemoryDc dc(nullptr);
    {
        SelectGuard select(dc.Get(), picture.Get());
        DrawIconEx(dc.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    std::memset(white, 0xFF, ColourBytes(size));
    {
        SelectGuard select(dc.Get(), other.Get());
        DrawIconEx(dc.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    GdiFlush();
    auto* b = static_cast<BYTE*>(black);
    const auto* w = static_cast<const BYTE*>(white);
    for (size_t i = 0; i < ColourBytes(size); i += 4) {
        const int through = w[i + 1] - b[i + 1];  // green: what the white background added
        b[i + 3] = static_cast<BYTE>(255 - std::clamp(through, 0, 255));
        for (int c = 0; c < 3; ++c) b[i + c] = std::min(b[i + c], b[i + 3]);
    }
    return picture;
}

// The picture as the system shows a disabled one: its shape embossed, in the shadow
// colour with the highlight colour a pixel down and right of it.
Bitmap DisabledPicture(HBITMAP picture, int size) {
    void* bits = nullptr;
    Bitmap disabled = CreateTopDownDib(nullptr, size, size, &bits);
    if (!disabled || !bits) return {};
    GdiFlush();
    DIBSECTION source{};
    if (GetObjectW(picture, sizeof(source), &source) != sizeof(source) || !source.dsBm.bmBits) return {};
    const auto* in = static_cast<const BYTE*>(source.dsBm.bmBits);
    const auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && in[(static_cast<size_t>(y) * size + x) * 4 + 3] >= 128;
    };
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    auto* out = static_cast<DWORD*>(bits);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool front = solid(x, y), back = solid(x - 1, y - 1);
            if (!front && !back) continue;  // transparent: all four bytes nought
            const COLORREF c = front ? shadow : highlight;
            out[y * size + x] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return disabled;
}

}  // namespace

ImageList::ImageList(int firstResourceId, int count, int size) : firstId_(firstResourceId), size_(size) {
    pictures_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Bitmap picture = PictureFromResource(firstResourceId + i, size);
        if (!picture) {
            picture = PictureFromIcon(IconOrDefault(IconHandle(firstResourceId + i, size)), size);
        }
        pictures_.push_back(std::move(picture));
    }
    disabled_.resize(pictures_.size());
}

ImageList::ImageList(ImageList&& o) noexcept
    : firstId_(o.firstId_),
      size_(o.size_),
      pictures_(std::move(o.pictures_)),
      disabled_(std::move(o.disabled_)),
      list_(std::exchange(o.list_, nullptr)) {}

ImageList& ImageList::operator=(ImageList&& o) noexcept {
    if (this != &o) {
        Destroy();
        firstId_ = o.firstId_;
        size_ = o.size_;
        pictures_ = std::move(o.pictures_);
        disabled_ = std::move(o.disabled_);
        list_ = std::exchange(o.list_, nullptr);
    }
    return *this;
}

ImageList::~ImageList() { Destroy(); }

void ImageList::Destroy() {
    if (list_) ImageList_Destroy(std::exchange(list_, nullptr));
}

HIMAGELIST ImageList::Get() {
    if (list_ || pictures_.empty()) return list_;
    const int count = Count();
    list_ = ImageList_Create(size_, size_, ILC_COLOR32 | ILC_MASK, count, 4);
    for (int i = 0; i < count; ++i) {
        if (AddIconImage(list_, firstId_ + i, size_)) continue;
        ImageList_AddIcon(list_, IconOrDefault(IconHandle(firstId_ + i, size_)));
    }
    return list_;
}

void ImageList::Draw(HDC dc, int index, int x, int y, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const auto slot = static_cast<size_t>(index);
    HBITMAP picture = pictures_[slot].Get();
    if (!enabled) {
        if (!disabled_[slot]) disabled_[slot] = DisabledPicture(picture, size_);
        picture = disabled_[slot].Get();
    }
    if (!picture) return;
    // A memory DC needs no screen DC: under Wine each screen DC is a round trip to
    // the window server.
    MemoryDc source(nullptr);
    SelectGuard select(source.Get(), picture);
    GdiAlphaBlend(dc, x, y, size_, size_, source.Get(), 0, 0, size_, size_,
                  BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
}

HBITMAP ImageList::MenuBitmap(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return pictures_[static_cast<size_t>(index)].Get();
}

IconHandle::IconHandle(int resourceId, int size)
    : icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size,
                                          size, LR_DEFAULTCOLOR))) {}

IconHandle IconHandle::Own(HICON icon) {
    IconHandle owner;
    owner.icon_ = icon;
    return owner;
}

IconHandle& IconHandle::operator=(IconHandle&& o) noexcept {
    if (this != &o) {
        if (icon_) DestroyIcon(icon_);
        icon_ = std::exchange(o.icon_, nullptr);
    }
    return *this;
}

IconHandle::~IconHandle() {
    if (icon_) DestroyIcon(icon_);
}
