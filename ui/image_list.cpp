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
        void* bits = nullptr;
        WindowDC screen(nullptr);
        slot = CreateTopDownDib(screen.Get(), size_, size_, &bits);
        MemoryDc dc(screen.Get());
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
