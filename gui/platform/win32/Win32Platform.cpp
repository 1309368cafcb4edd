// The platform calls made by Windows itself. Each function is the one
// system call its name says, with the handle types converted.
#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <vector>

#include "gui/PackedImage.h"
#include "gui/platform/Platform.h"

namespace platform {

namespace {

HDC h(DeviceContext dc) { return reinterpret_cast<HDC>(dc); }
HGDIOBJ h(GdiObject o) { return reinterpret_cast<HGDIOBJ>(o); }
HWND h(Window w) { return reinterpret_cast<HWND>(w); }
HMODULE h(Module m) { return reinterpret_cast<HMODULE>(m); }
GdiObject wrap(HGDIOBJ o) { return reinterpret_cast<GdiObject>(o); }
DeviceContext wrap(HDC dc) { return reinterpret_cast<DeviceContext>(dc); }

Module& storedInstance() {
    static Module instance = nullptr;
    return instance;
}

static_assert(sizeof(PAINTSTRUCT) <= sizeof(PaintRecord::storage), "paint record storage");
static_assert(sizeof(FontDescription) == sizeof(LOGFONTA), "font description layout");

}  // namespace

GdiObject getCurrentObject(DeviceContext dc, uint32_t kind) {
    return wrap(GetCurrentObject(h(dc), kind));
}

GdiObject selectObject(DeviceContext dc, GdiObject object) {
    return wrap(SelectObject(h(dc), h(object)));
}

bool deleteObject(GdiObject object) { return DeleteObject(h(object)) != 0; }
GdiObject getStockObject(int which) { return wrap(GetStockObject(which)); }
int setBkMode(DeviceContext dc, int mode) { return SetBkMode(h(dc), mode); }
ColorRef setBkColor(DeviceContext dc, ColorRef color) { return SetBkColor(h(dc), color); }
ColorRef setTextColor(DeviceContext dc, ColorRef color) { return SetTextColor(h(dc), color); }

GdiObject createPenIndirect(uint32_t style, int32_t width, ColorRef color) {
    LOGPEN pen{};
    pen.lopnStyle = style;
    pen.lopnWidth.x = width;
    pen.lopnColor = color;
    return wrap(CreatePenIndirect(&pen));
}

GdiObject createSolidBrushIndirect(ColorRef color) {
    LOGBRUSH brush{};
    brush.lbStyle = BS_SOLID;
    brush.lbColor = color;
    return wrap(CreateBrushIndirect(&brush));
}

uint32_t getLastError() { return GetLastError(); }

GdiObject createFontIndirect(const FontDescription& description) {
    LOGFONTA font;
    std::memcpy(&font, &description, sizeof font);
    return wrap(CreateFontIndirectA(&font));
}

bool moveToEx(DeviceContext dc, int x, int y) { return MoveToEx(h(dc), x, y, nullptr) != 0; }
bool lineTo(DeviceContext dc, int x, int y) { return LineTo(h(dc), x, y) != 0; }

bool rectangle(DeviceContext dc, int left, int top, int right, int bottom) {
    return Rectangle(h(dc), left, top, right, bottom) != 0;
}

int drawText(DeviceContext dc, const char* text, int length, PlatformRect* rect, uint32_t format) {
    return DrawTextA(h(dc), text, length, reinterpret_cast<RECT*>(rect), format);
}

int16_t getAsyncKeyState(int key) { return GetAsyncKeyState(key); }

bool getCursorPos(PlatformPoint* point) {
    return GetCursorPos(reinterpret_cast<POINT*>(point)) != 0;
}

namespace {

// A bitmap file carried compressed as raw data, made into the same kind of
// bitmap LoadBitmap makes: one compatible with the screen.
GdiObject loadPackedBitmap(HINSTANCE instance, int resourceId) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    std::vector<unsigned char> file;
    if (!data || !unpackImage(data, SizeofResource(instance, found), file)) return nullptr;
    if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPFILEHEADER head;
    BITMAPINFOHEADER info;
    std::memcpy(&head, file.data(), sizeof head);
    std::memcpy(&info, file.data() + sizeof head, sizeof info);
    const LONG rows = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    const size_t stride = ((static_cast<size_t>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    if (head.bfType != 0x4D42 || info.biWidth <= 0 || rows == 0 || info.biBitCount != 24 ||
        info.biCompression != BI_RGB || head.bfOffBits > file.size() ||
        stride * static_cast<size_t>(rows) > file.size() - head.bfOffBits)
        return nullptr;
    BITMAPINFO described{};
    described.bmiHeader = info;
    HDC screen = GetDC(nullptr);
    HBITMAP made = CreateDIBitmap(screen, &info, CBM_INIT, file.data() + head.bfOffBits, &described,
                                  DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return wrap(made);
}

}  // namespace

GdiObject loadBitmap(Module instance, int resourceId) {
    const auto module = reinterpret_cast<HINSTANCE>(instance);
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(resourceId & 0xFFFF));
    return bitmap ? wrap(bitmap) : loadPackedBitmap(module, resourceId & 0xFFFF);
}

bool getBitmapSize(GdiObject bitmap, int32_t* width, int32_t* height) {
    BITMAP record{};
    if (GetObjectA(h(bitmap), sizeof record, &record) == 0) return false;
    if (width) *width = record.bmWidth;
    if (height) *height = record.bmHeight;
    return true;
}

DeviceContext createCompatibleDC(DeviceContext dc) { return wrap(CreateCompatibleDC(h(dc))); }
bool deleteDC(DeviceContext dc) { return DeleteDC(h(dc)) != 0; }

bool bitBlt(DeviceContext dst, int x, int y, int width, int height, DeviceContext src, int sx,
            int sy, uint32_t rop) {
    return BitBlt(h(dst), x, y, width, height, h(src), sx, sy, rop) != 0;
}

GdiObject createMonochromeBitmap(int width, int height) {
    return wrap(CreateBitmap(width, height, 1, 1, nullptr));
}

namespace {
BITMAPINFO topDownRecord(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
}  // namespace

GdiObject createDibSection(int width, int height) {
    BITMAPINFO info = topDownRecord(width, height);
    void* bits = nullptr;
    return wrap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

int getDibits(DeviceContext dc, GdiObject bitmap, int width, int height, uint32_t* pixels) {
    BITMAPINFO info = topDownRecord(width, height);
    return GetDIBits(h(dc), reinterpret_cast<HBITMAP>(bitmap), 0, static_cast<UINT>(height), pixels,
                     &info, DIB_RGB_COLORS);
}

Module loadLibrary(const char* name) { return reinterpret_cast<Module>(LoadLibraryA(name)); }

void* getProcAddress(Module library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(h(library), name));
}

namespace {

// A user32 entry that older systems lack; null there.
void* userEntry(const char* name) {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<void*>(GetProcAddress(user, name)) : nullptr;
}

}  // namespace

uint32_t getDpiForWindow(Window window) {
    using Query = UINT(WINAPI*)(HWND);
    auto query = reinterpret_cast<Query>(userEntry("GetDpiForWindow"));
    return (query && window) ? query(h(window)) : 0;
}

uint32_t getDpiForSystem() {
    using Query = UINT(WINAPI*)();
    auto query = reinterpret_cast<Query>(userEntry("GetDpiForSystem"));
    return query ? query() : 0;
}

bool freeLibrary(Module library) { return FreeLibrary(h(library)) != 0; }

bool getVersionPlatformId(uint32_t* platformId) {
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof version;
    static_assert(sizeof(OSVERSIONINFOEXA) == 156, "extended version record");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL ok = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version));
#pragma GCC diagnostic pop
    if (!ok || !platformId) return false;
    *platformId = version.dwPlatformId;
    return true;
}

// Until the entry point stores its handle (a test program has none), the
// module is the one that holds this code.
Module moduleInstance() {
    if (storedInstance()) return storedInstance();
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&storedInstance), &self);
    return reinterpret_cast<Module>(self);
}

void setModuleInstance(Module instance) { storedInstance() = instance; }

Cursor loadArrowCursor() { return reinterpret_cast<Cursor>(LoadCursorA(nullptr, IDC_ARROW)); }
GdiObject getSysColorBrush(int index) { return wrap(GetSysColorBrush(index)); }

uint16_t registerClass(const WindowClassDescription& d) {
    WNDCLASSA c{};
    c.style = d.style;
    c.lpfnWndProc = reinterpret_cast<WNDPROC>(d.procedure);
    c.cbClsExtra = d.classExtra;
    c.cbWndExtra = d.windowExtra;
    c.hInstance = reinterpret_cast<HINSTANCE>(d.instance);
    c.hIcon = nullptr;
    c.hCursor = reinterpret_cast<HCURSOR>(d.cursor);
    c.hbrBackground = reinterpret_cast<HBRUSH>(d.background);
    c.lpszMenuName = nullptr;
    c.lpszClassName = d.className;
    return RegisterClassA(&c);
}

bool unregisterClass(const char* className, Module instance) {
    return UnregisterClassA(className, reinterpret_cast<HINSTANCE>(instance)) != 0;
}

int getSystemMetrics(int index) { return GetSystemMetrics(index); }

Window createWindowEx(uint32_t exStyle, const char* className, const char* windowName,
                      uint32_t style, int x, int y, int width, int height, Window parent,
                      Module instance) {
    return reinterpret_cast<Window>(
        CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, h(parent),
                        nullptr, reinterpret_cast<HINSTANCE>(instance), nullptr));
}

bool destroyWindow(Window window) { return DestroyWindow(h(window)) != 0; }

// The pointer-sized calls: the 32-bit ones would cut a 64-bit address.
intptr_t setWindowUserData(Window window, intptr_t value) {
    return SetWindowLongPtrA(h(window), GWLP_USERDATA, value);
}

intptr_t getWindowUserData(Window window) { return GetWindowLongPtrA(h(window), GWLP_USERDATA); }

intptr_t defWindowProc(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcA(h(window), message, wParam, lParam);
}

bool getWindowRect(Window window, PlatformRect* rect) {
    return GetWindowRect(h(window), reinterpret_cast<RECT*>(rect)) != 0;
}

bool getUpdateRect(Window window, PlatformRect* rect, bool erase) {
    return GetUpdateRect(h(window), reinterpret_cast<RECT*>(rect), erase) != 0;
}

DeviceContext beginPaint(Window window, PaintRecord* paint) {
    auto* ps = reinterpret_cast<PAINTSTRUCT*>(paint->storage);
    HDC dc = BeginPaint(h(window), ps);
    paint->dc = wrap(dc);
    paint->erase = ps->fErase != 0;
    paint->paint = {ps->rcPaint.left, ps->rcPaint.top, ps->rcPaint.right, ps->rcPaint.bottom};
    return paint->dc;
}

bool endPaint(Window window, PaintRecord* paint) {
    return EndPaint(h(window), reinterpret_cast<PAINTSTRUCT*>(paint->storage)) != 0;
}

DeviceContext getDC(Window window) { return wrap(GetDC(h(window))); }
int releaseDC(Window window, DeviceContext dc) { return ReleaseDC(h(window), h(dc)); }

void deliverPendingEvents(Window window) { (void)window; }

bool isOnDisplayServer(Window window) {
    (void)window;
    return false;
}

uint32_t displayWindowId(Window window) {
    (void)window;
    return 0;
}

uint32_t getTickCount() { return GetTickCount(); }
void sleep(uint32_t milliseconds) { Sleep(milliseconds); }

bool peekMessage(Message* message, Window window, uint32_t first, uint32_t last, uint32_t removal) {
    MSG msg{};
    if (!PeekMessageA(&msg, h(window), first, last, removal)) return false;
    *message = {reinterpret_cast<Window>(msg.hwnd), msg.message,         msg.wParam, msg.lParam,
                static_cast<uint32_t>(msg.time),    {msg.pt.x, msg.pt.y}};
    return true;
}

intptr_t dispatchMessage(const Message* message) {
    MSG msg{};
    msg.hwnd = h(message->window);
    msg.message = message->message;
    msg.wParam = message->wParam;
    msg.lParam = message->lParam;
    msg.time = message->time;
    msg.pt = {message->point.x, message->point.y};
    return DispatchMessageA(&msg);
}

bool oleInitialize() {
    HRESULT result = OleInitialize(nullptr);
    return result == S_OK || result == S_FALSE;
}

void oleUninitialize() { OleUninitialize(); }

}  // namespace platform
