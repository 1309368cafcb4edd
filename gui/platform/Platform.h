// The toolkit's only door to the system's graphics, windowing and process
// services. Every call here is one Windows call by name and meaning; the
// win32 implementation makes that call, the soft implementation computes the
// same result on pixel surfaces of its own so the toolkit runs (and is tested)
// where there is no Windows. Handles are opaque; values and flags keep the
// numbers Windows gives them, so the toolkit code reads the same on both.
#pragma once

#include <cstddef>
#include <cstdint>

// Window procedures and the imaging library's copy function use the system's
// calling convention, which differs from the default one only on 32-bit x86.
#if defined(_WIN32) && !defined(_WIN64)
#define BRV_SYSCALL __stdcall
#else
#define BRV_SYSCALL
#endif

namespace platform {

struct DeviceContextTag;
struct GdiObjectTag;
struct WindowTag;
struct ModuleTag;
struct CursorTag;
using DeviceContext = DeviceContextTag*;
using GdiObject = GdiObjectTag*;  // pen, brush, font or bitmap
using Window = WindowTag*;
using Module = ModuleTag*;  // module instance or loaded library
using Cursor = CursorTag*;

// 24-bit colour as the system takes it: red + green * 256 + blue * 65536.
using ColorRef = uint32_t;

// The same colour the other way round, 0x00RRGGBB, as a 32-bit device-
// independent bitmap or an X server holds its pixels. The swap is its own
// inverse.
constexpr uint32_t swapRedBlue(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct PlatformPoint {
    int32_t x;
    int32_t y;
};

struct PlatformRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

using WindowProc = intptr_t(BRV_SYSCALL*)(Window window, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam);
using TransparentBltFunction = int(BRV_SYSCALL*)(DeviceContext dst, int dx, int dy, int dw, int dh,
                                                 DeviceContext src, int sx, int sy, int sw, int sh,
                                                 uint32_t transparent);

// Object kinds for getCurrentObject.
constexpr uint32_t objPen = 1;
constexpr uint32_t objBrush = 2;
constexpr uint32_t objFont = 6;
constexpr uint32_t objBitmap = 7;

constexpr int stockNullPen = 8;

constexpr int bkTransparent = 1;
constexpr int bkOpaque = 2;

constexpr uint32_t penSolid = 0;
constexpr uint32_t penDot = 2;

constexpr uint32_t ropSrcCopy = 0x00CC0020;
constexpr uint32_t ropSrcInvert = 0x00660046;
constexpr uint32_t ropSrcAnd = 0x008800C6;

constexpr uint32_t textLeft = 0x0;
constexpr uint32_t textCenter = 0x1;
constexpr uint32_t textRight = 0x2;
constexpr uint32_t textVCenter = 0x4;
constexpr uint32_t textSingleLine = 0x20;
constexpr uint32_t textNoPrefix = 0x800;

constexpr int keyLButton = 0x01;
constexpr int keyRButton = 0x02;
constexpr int keyMButton = 0x04;
constexpr int keyShift = 0x10;
constexpr int keyControl = 0x11;
constexpr int keyMenu = 0x12;

constexpr uint32_t msgDestroy = 0x0002;
constexpr uint32_t msgPaint = 0x000F;
constexpr uint32_t msgEraseBackground = 0x0014;
constexpr uint32_t msgKeyDown = 0x0100;
constexpr uint32_t msgLButtonDown = 0x0201;
constexpr uint32_t msgRButtonDown = 0x0204;
constexpr uint32_t msgMButtonDown = 0x0207;
constexpr uint32_t msgMouseWheel = 0x020A;
// Sent to a child window once its top-level window has moved to a screen of
// another density (WM_DPICHANGED_AFTERPARENT).
constexpr uint32_t msgDpiChangedAfterParent = 0x02E3;
constexpr int wheelDelta = 120;

constexpr int keyReturn = 0x0D;
constexpr int keyEscape = 0x1B;
constexpr int keyLeft = 0x25;
constexpr int keyUp = 0x26;
constexpr int keyRight = 0x27;
constexpr int keyDown = 0x28;

constexpr uint32_t classGlobal = 0x4000;
constexpr uint32_t styleChild = 0x40000000;
constexpr uint32_t styleVisible = 0x10000000;

constexpr int metricSwapButton = 23;
constexpr int sysColorButtonFace = 15;

constexpr uint32_t peekRemove = 1;

constexpr uint32_t platformWin32Windows = 1;

// The font description the system's font maker takes (LOGFONTA's fields).
struct FontDescription {
    int32_t height;
    int32_t width;
    int32_t escapement;
    int32_t orientation;
    int32_t weight;
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    uint8_t outPrecision;
    uint8_t clipPrecision;
    uint8_t quality;
    uint8_t pitchAndFamily;
    char faceName[32];
};

constexpr uint8_t charsetAnsi = 0;
constexpr uint8_t outStringPrecision = 1;
constexpr uint8_t clipStrokePrecision = 2;
constexpr uint8_t qualityDefault = 0;
constexpr uint8_t pitchDefault = 0;
constexpr uint8_t pitchVariable = 2;
constexpr uint8_t familySwiss = 0x20;
constexpr uint8_t familyDecorative = 0x50;

struct WindowClassDescription {
    uint32_t style;
    WindowProc procedure;
    int classExtra;
    int windowExtra;
    Module instance;
    Cursor cursor;
    GdiObject background;
    const char* className;
};

// What BeginPaint hands back; the system's own record is kept in `storage`
// until EndPaint.
struct PaintRecord {
    DeviceContext dc;
    bool erase;
    PlatformRect paint;
    alignas(8) unsigned char storage[96];
};

struct Message {
    Window window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t time;
    PlatformPoint point;
};

// --- Device contexts and drawing objects ---
GdiObject getCurrentObject(DeviceContext dc, uint32_t kind);
GdiObject selectObject(DeviceContext dc, GdiObject object);
bool deleteObject(GdiObject object);
GdiObject getStockObject(int which);
int setBkMode(DeviceContext dc, int mode);
ColorRef setBkColor(DeviceContext dc, ColorRef color);
ColorRef setTextColor(DeviceContext dc, ColorRef color);
GdiObject createPenIndirect(uint32_t style, int32_t width, ColorRef color);
GdiObject createSolidBrushIndirect(ColorRef color);
uint32_t getLastError();
GdiObject createFontIndirect(const FontDescription& description);
bool moveToEx(DeviceContext dc, int x, int y);
bool lineTo(DeviceContext dc, int x, int y);
bool rectangle(DeviceContext dc, int left, int top, int right, int bottom);
int drawText(DeviceContext dc, const char* text, int length, PlatformRect* rect, uint32_t format);

// --- Input state ---
int16_t getAsyncKeyState(int key);
bool getCursorPos(PlatformPoint* point);

// --- Bitmaps and block transfers ---
// LoadBitmap; a bitmap file carried zlib-compressed as raw data under the id
// (see PackedImage.h) is unpacked and made into the same kind of bitmap.
GdiObject loadBitmap(Module instance, int resourceId);
bool getBitmapSize(GdiObject bitmap, int32_t* width, int32_t* height);
DeviceContext createCompatibleDC(DeviceContext dc);
bool deleteDC(DeviceContext dc);
bool bitBlt(DeviceContext dst, int x, int y, int width, int height, DeviceContext src, int sx,
            int sy, uint32_t rop);
GdiObject createMonochromeBitmap(int width, int height);
// CreateDIBSection without a device context: a 32-bit colour bitmap, rows
// from the top, that drawing can be read back from.
GdiObject createDibSection(int width, int height);
// GetDIBits into a 32-bit top-down record: rows from the top, each pixel
// 0x00RRGGBB. The bitmap must not be selected into a device context. Answers
// the number of rows copied.
int getDibits(DeviceContext dc, GdiObject bitmap, int width, int height, uint32_t* pixels);

// --- Libraries and the system version ---
Module loadLibrary(const char* name);
void* getProcAddress(Module library, const char* name);
bool freeLibrary(Module library);
// GetVersionExA with the extended record; false when the call fails.
bool getVersionPlatformId(uint32_t* platformId);

// --- The module and its windows ---
// The instance handle that the module's entry point stored; until one is
// stored, the module that holds this code.
Module moduleInstance();
void setModuleInstance(Module instance);
Cursor loadArrowCursor();
GdiObject getSysColorBrush(int index);
uint16_t registerClass(const WindowClassDescription& description);
bool unregisterClass(const char* className, Module instance);
int getSystemMetrics(int index);
Window createWindowEx(uint32_t exStyle, const char* className, const char* windowName,
                      uint32_t style, int x, int y, int width, int height, Window parent,
                      Module instance);
bool destroyWindow(Window window);
// The window's user data, stored and read pointer-sized.
intptr_t setWindowUserData(Window window, intptr_t value);
intptr_t getWindowUserData(Window window);
intptr_t defWindowProc(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);
bool getWindowRect(Window window, PlatformRect* rect);
bool getUpdateRect(Window window, PlatformRect* rect, bool erase);
DeviceContext beginPaint(Window window, PaintRecord* paint);
bool endPaint(Window window, PaintRecord* paint);
DeviceContext getDC(Window window);
int releaseDC(Window window, DeviceContext dc);

// --- The screen ---
// GetDpiForWindow and GetDpiForSystem: dots per inch, 96 at the system's
// own size. Windows before 10 lack both, so they are looked up when asked
// and answer 0 there. The soft platform answers Xft.dpi from the resource
// database of the X server named by DISPLAY, for any window, and 0 without
// a server or a setting.
uint32_t getDpiForWindow(Window window);
uint32_t getDpiForSystem();

// --- Time and the message queue ---
uint32_t getTickCount();
void sleep(uint32_t milliseconds);
bool peekMessage(Message* message, Window window, uint32_t first, uint32_t last, uint32_t removal);
intptr_t dispatchMessage(const Message* message);

// Where the system's own message loop does not serve the module's windows
// (a window on an X server, inside a Linux host), the events waiting for the
// window are delivered to its procedure here. On Windows the host's message
// loop delivers them, and this does nothing.
void deliverPendingEvents(Window window);
// Whether the window shows on a display server (an X window inside a Linux
// host) rather than in a system whose own message loop serves the host.
bool isOnDisplayServer(Window window);
// The id on the display server of the window that shows `window` (made in a
// host's window there), as a host that embeds it by id wants it; 0 for any
// other window, and always on Windows, which has no display server.
uint32_t displayWindowId(Window window);

// --- OLE ---
// OleInitialize; true when it succeeded (S_OK or S_FALSE), and only then may
// the caller balance it with oleUninitialize. A thread already in the
// multi-threaded apartment refuses it.
bool oleInitialize();
void oleUninitialize();

// --- Drag and drop ---
struct DataObjectTag;
struct GlobalMemoryTag;
using DataObject = DataObjectTag*;      // the data a drag carries (IDataObject)
using GlobalMemory = GlobalMemoryTag*;  // a movable memory block (HGLOBAL)

// Clipboard formats, always asked for as global memory with no target device.
constexpr uint16_t clipboardText = 1;       // CF_TEXT
constexpr uint16_t clipboardFileList = 15;  // CF_HDROP

constexpr uint32_t dropEffectNone = 0;
constexpr uint32_t dropEffectCopy = 1;
constexpr uint32_t dropEffectMove = 2;
// The control key in the key state a drag reports (MK_CONTROL).
constexpr uint32_t dragKeyControl = 0x0008;
// The file index that asks dragQueryFile for the number of files.
constexpr uint32_t allDroppedFiles = 0xFFFFFFFF;
// The size of every buffer a dropped file name is read into.
constexpr uint32_t droppedNameSize = 1024;

enum DropType : int32_t { dropFileNames = 0, dropText = 1 };

// A medium handed out by getData: the memory block, and the object through
// which it is given back when the data object keeps it (pUnkForRelease).
constexpr uint32_t mediumGlobalMemory = 1;  // TYMED_HGLOBAL
struct StorageMedium {
    uint32_t type;
    GlobalMemory global;
    void* releaser;
};

// The window's side of a drop: where the pointer is now, in the window's
// coordinates, and the handing over of dropped items.
class DropReceiver {
public:
    virtual bool dropPosition(PlatformPoint& where) const = 0;
    virtual bool receiveDrop(void** items, int32_t count, DropType type,
                             const PlatformPoint& where) = 0;

protected:
    ~DropReceiver() = default;
};

// RegisterDragDrop with a new drop target serving the receiver. The system
// holds the target's only reference: revokeDragDrop lets it go. A target the
// system refuses is freed at once.
bool registerDragDrop(Window window, DropReceiver* receiver);
bool revokeDragDrop(Window window);
// IDataObject::QueryGetData / GetData for a clipboard format.
bool queryGetData(DataObject data, uint16_t format);
bool getData(DataObject data, uint16_t format, StorageMedium* medium);
void releaseStgMedium(StorageMedium* medium);
// DragQueryFileA: with allDroppedFiles the number of files; otherwise the
// length of the name copied, 0 when that name cannot be had.
uint32_t dragQueryFile(GlobalMemory files, uint32_t index, char* name, uint32_t size);
void* globalLock(GlobalMemory memory);
size_t globalSize(GlobalMemory memory);
void globalUnlock(GlobalMemory memory);
// The shell-link object: CoCreateInstance of CLSID_ShellLink, Load of the
// file named in `path` (droppedNameSize bytes) through IPersistFile, Resolve
// without a window, and GetPath of the target's short path into `path`.
bool resolveShellLink(char* path);

}  // namespace platform
