#include "ui/image_list.h"

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

// Adds the 32-bit image of icon `id` at `size` with its mask as they stand in the
// resources, as adding the loaded icon would, without the icon: under Wine each
// icon loaded and copied into a list costs some forty window-server round trips.
// False when the resource has no such image (another size or depth, or PNG).
bool AddIconImage(HIMAGELIST list, int id, int size) {
    DWORD groupSize = 0;
    const auto* group = static_cast<const BYTE*>(ResourceData(id, RT_GROUP_ICON, &groupSize));
    if (!group || groupSize < 6) return false;
    const WORD entries = *reinterpret_cast<const WORD*>(group + 4);
    if (groupSize < 6 + entries * sizeof(IconDirectoryEntry)) return false;
    const auto* entry = reinterpret_cast<const IconDirectoryEntry*>(group + 6);
    for (WORD i = 0; i < entries; ++i, ++entry) {
        if (entry->width != size || entry->height != size || entry->bitCount != 32) continue;
        DWORD bytes = 0;
        const auto* image = static_cast<const BYTE*>(ResourceData(entry->id, RT_ICON, &bytes));
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image);
        const size_t colourBytes = static_cast<size_t>(size) * size * 4;
        const size_t maskBytes = static_cast<size_t>((size + 31) / 32 * 4) * size;
        if (!image || bytes < sizeof(BITMAPINFOHEADER) + colourBytes + maskBytes ||
            header->biSize != sizeof(BITMAPINFOHEADER) || header->biWidth != size || header->biHeight != 2 * size ||
            header->biBitCount != 32 || header->biCompression != BI_RGB)
            return false;
        const BYTE* colour = image + sizeof(BITMAPINFOHEADER);
        Bitmap colourDib = BottomUpDib(size, 32, colour, colourBytes);
        Bitmap maskDib = BottomUpDib(size, 1, colour + colourBytes, maskBytes);
        return colourDib && maskDib && ImageList_Add(list, colourDib.Get(), maskDib.Get()) >= 0;
    }
    return false;
}

}  // namespace

ImageList::ImageList(int firstResourceId, int count, int size) : size_(size) {
    list_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 4);
    for (int i = 0; i < count; ++i) {
        if (AddIconImage(list_, firstResourceId + i, size)) continue;
        IconHandle icon(firstResourceId + i, size);
        if (icon.Get()) {
            ImageList_AddIcon(list_, icon.Get());
        } else {
            // Keep the indexes right even when a picture is missing.
            ImageList_AddIcon(list_, LoadIconW(nullptr, IDI_APPLICATION));
        }
    }
    menuBitmaps_.resize(static_cast<size_t>(count));
}

ImageList::ImageList(ImageList&& o) noexcept
    : list_(std::exchange(o.list_, nullptr)), size_(o.size_), menuBitmaps_(std::move(o.menuBitmaps_)) {}

ImageList& ImageList::operator=(ImageList&& o) noexcept {
    if (this != &o) {
        Destroy();
        list_ = std::exchange(o.list_, nullptr);
        size_ = o.size_;
        menuBitmaps_ = std::move(o.menuBitmaps_);
    }
    return *this;
}

ImageList::~ImageList() { Destroy(); }

void ImageList::Destroy() {
    if (list_) ImageList_Destroy(std::exchange(list_, nullptr));
}

HBITMAP ImageList::MenuBitmap(int index) {
    if (index < 0 || static_cast<size_t>(index) >= menuBitmaps_.size()) return nullptr;
    Bitmap& slot = menuBitmaps_[static_cast<size_t>(index)];
    if (!slot) {
        // A DIB and a memory DC need no screen DC (under Wine each screen DC is a
        // round trip to the server, and the menus of a start ask for several pictures).
        void* bits = nullptr;
        slot = CreateTopDownDib(nullptr, size_, size_, &bits);
        MemoryDc dc(nullptr);
        SelectGuard select(dc.Get(), slot.Get());
        ImageList_Draw(list_, index, dc.Get(), 0, 0, ILD_TRANSPARENT);
    }
    return slot.Get();
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
