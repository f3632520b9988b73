#include "ui/image_list.h"

ImageList::ImageList(int firstResourceId, int count, int size) : size_(size) {
    list_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 4);
    for (int i = 0; i < count; ++i) {
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
        if (list_) ImageList_Destroy(list_);
        list_ = std::exchange(o.list_, nullptr);
        size_ = o.size_;
        menuBitmaps_ = std::move(o.menuBitmaps_);
    }
    return *this;
}

ImageList::~ImageList() {
    if (list_) ImageList_Destroy(list_);
}

HBITMAP ImageList::MenuBitmap(int index) {
    if (index < 0 || static_cast<size_t>(index) >= menuBitmaps_.size()) return nullptr;
    Bitmap& slot = menuBitmaps_[static_cast<size_t>(index)];
    if (!slot) {
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        slot = CreateTopDownDib(screen, size_, size_, &bits);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        {
            SelectGuard select(dc, slot.Get());
            ImageList_Draw(list_, index, dc, 0, 0, ILD_TRANSPARENT);
        }
        DeleteDC(dc);
    }
    return slot.Get();
}

IconHandle::IconHandle(int resourceId, int size)
    : icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size,
                                          size, LR_DEFAULTCOLOR))) {}

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
