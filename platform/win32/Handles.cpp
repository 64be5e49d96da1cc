#include "platform/win32/Handles.h"

namespace quickdex::win32 {

ImageListHandle LoadImageStrip(int bitmapId, int width, int height)
{
    ImageListHandle list(ImageList_Create(width, height, ILC_COLOR32, 0, 4));
    BitmapHandle strip(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (list && strip)
        ImageList_Add(list.get(), strip.get(), nullptr);
    return list;
}

} // namespace quickdex::win32
