// An image list of 16x16 32-bit pictures loaded from the program's icon resources.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/canvas.h"

class ImageList {
public:
    ImageList() = default;
    // Pictures IDs first .. first + count - 1, in index order.
    ImageList(int firstResourceId, int count, int size = 16);
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ImageList(ImageList&& o) noexcept;
    ImageList& operator=(ImageList&& o) noexcept;
    ~ImageList();

    HIMAGELIST Get() const { return list_; }
    int Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
    // A 32-bit premultiplied bitmap of picture `index`, as menus want it. Owned by the list.
    HBITMAP MenuBitmap(int index);

private:
    void Destroy();
    HIMAGELIST list_ = nullptr;
    int size_ = 16;
    std::vector<Bitmap> menuBitmaps_;
};

// A single icon loaded from the resources; destroyed with the object.
class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(int resourceId, int size = 16);
    // Takes over an icon made elsewhere (CopyIcon, LoadImage).
    static IconHandle Own(HICON icon);
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    IconHandle(IconHandle&& o) noexcept : icon_(std::exchange(o.icon_, nullptr)) {}
    IconHandle& operator=(IconHandle&& o) noexcept;
    ~IconHandle();
    HICON Get() const { return icon_; }

private:
    HICON icon_ = nullptr;
};
