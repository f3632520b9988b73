// Pictures of one size read from the program's icon resources, kept as 32-bit
// bitmaps with premultiplied transparency: drawn with the system's alpha blend,
// handed to menus as they are, and to the common controls as an image list made at
// its first asking (the common controls library is then loaded, not at start).
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

    // The same pictures as a common-controls image list (for a list view's items).
    HIMAGELIST Get();
    int Count() const { return static_cast<int>(pictures_.size()); }
    int Size() const { return size_; }
    // Draws picture `index` at (x, y) over what is there; embossed when not enabled.
    void Draw(HDC dc, int index, int x, int y, bool enabled = true) const;
    // A 32-bit premultiplied bitmap of picture `index`, as menus want it. Owned by the list.
    HBITMAP MenuBitmap(int index) const;

private:
    void Destroy();
    int firstId_ = 0;
    int size_ = 16;
    std::vector<Bitmap> pictures_;        // top-down, premultiplied
    mutable std::vector<Bitmap> disabled_;  // made at the first disabled drawing
    HIMAGELIST list_ = nullptr;
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
