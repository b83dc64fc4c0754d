#include "common/ole_picture.h"

#include <vector>

#include "common/handles.h"

namespace {

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

} // namespace

ComPtr<IPicture> LoadPictureFromFile(const std::string& path)
{
    ComPtr<IPicture> picture;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    // Pictures beyond 256 MiB are not pictures a page shows; refusing them bounds the memory.
    if (!file || !GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > (256LL << 20))
        return picture;
    const auto bytes = static_cast<DWORD>(size.QuadPart);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return picture;
    void* data = GlobalLock(memory);
    DWORD read = 0;
    const bool complete = data != nullptr && ReadFile(file, data, bytes, &read, nullptr) && read == bytes;
    GlobalUnlock(memory);
    if (!complete)
        return picture;
    ComPtr<IStream> stream;
    // The stream takes the memory over (it frees it when released).
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put())))
        return picture;
    memory.release();
    OleLoadPicture(stream.get(), static_cast<LONG>(bytes), FALSE, IID_IPicture, picture.put_void());
    return picture;
}

ComPtr<IPicture> LoadPictureFromPath(const std::string& path)
{
    ComPtr<IPicture> picture;
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return picture;
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    OleLoadPicturePath(wide.data(), nullptr, 0, 0, IID_IPicture, picture.put_void());
    return picture;
}

SIZE PictureHimetricSize(IPicture* picture)
{
    SIZE size{0, 0};
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (picture != nullptr && SUCCEEDED(picture->get_Width(&width)) &&
        SUCCEEDED(picture->get_Height(&height))) {
        size.cx = width;
        size.cy = height;
    }
    return size;
}
