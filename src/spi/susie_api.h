/*
 * The image plug-in interface, shared by the host (src/spi) and the plug-ins (plugins/).
 *
 * A plug-in is a shared library with the extension ".spi" that exports the functions below by
 * these exact names, with C linkage. The interface is the published one of the Windows plug-ins,
 * with the same entry names, arguments and result codes; on Windows the functions use the
 * standard calling convention and the picture-info record is the packed 26-byte record. On Linux:
 *
 *   - integers that Windows passes as DWORD/LONG and that carry an address (the header address
 *     of IsSupported, the user value of the progress callback) are pointer-sized;
 *   - the Windows local-memory handles (HLOCAL) are plain pointers obtained from malloc(). The
 *     side that receives such memory releases it with free(). A plug-in therefore must allocate
 *     what it hands out with the C library's malloc (not new, not a private heap);
 *   - the picture-info record keeps its field order and packing; its text-info handle is a
 *     pointer, so the record is 30 bytes long.
 *
 * On Windows the memory blocks are local memory as the published interface has them: a plug-in
 * allocates with LocalAlloc (LMEM_FIXED) and the host releases with LocalFree.
 *
 * Threads: the host calls a plug-in from one thread at a time.
 */
#ifndef KORVENT_SPI_SUSIE_API_H
#define KORVENT_SPI_SUSIE_API_H

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#define SPI_CALL __stdcall
#define SPI_EXPORT __declspec(dllexport)
#else
#define SPI_CALL
#define SPI_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes of every entry but GetPluginInfo. */
enum {
    SPI_NO_FUNCTION = -1,    /* the function is not implemented */
    SPI_ALL_RIGHT = 0,       /* success */
    SPI_ABORT = 1,           /* the progress callback returned non-zero; nothing is returned */
    SPI_NOT_SUPPORT = 2,     /* unknown or unsupported format */
    SPI_OUT_OF_ORDER = 3,    /* the data is corrupt or truncated */
    SPI_NO_MEMORY = 4,       /* memory cannot be allocated (also: the image is too large) */
    SPI_MEMORY_ERROR = 5,    /* memory error */
    SPI_FILE_READ_ERROR = 6, /* the file cannot be read */
    SPI_WINDOW_ERROR = 7,    /* reserved */
    SPI_OTHER_ERROR = 8      /* internal error */
};

/* The low three bits of the `flag` argument say what `buf` is. */
enum {
    SPI_INPUT_FILE = 0,   /* buf: zero-terminated file name; len: offset of the image in the file */
    SPI_INPUT_MEMORY = 1, /* buf: address of the image; len: its size in bytes */
    SPI_INPUT_MASK = 7
};

/* A memory block handed from the plug-in to the host (malloc'd; the host calls free()). */
typedef void* SPI_HLOCAL;
/* The pointer-sized counterpart of the DWORD that IsSupported takes. */
typedef uintptr_t SPI_DWORD_PTR;
/* The user value that GetPicture passes through to the progress callback unchanged. */
typedef intptr_t SPI_USERDATA;

#pragma pack(push, 1)
typedef struct SPI_PICTINFO {
    int32_t left; /* position of the image (for images that carry one) */
    int32_t top;
    int32_t width; /* size in pixels */
    int32_t height;
    uint16_t x_density; /* pixel density, 0 when unknown */
    uint16_t y_density;
    int16_t colorDepth; /* bits per pixel */
    SPI_HLOCAL hInfo; /* text information (malloc'd, zero-terminated) or NULL; freed by the host */
} SPI_PICTINFO;
#pragma pack(pop)

/* Plug-ins report progress through this callback as nNum of nDenom. It returns 0 to go on; any
 * other value asks the plug-in to stop, free what it allocated and return SPI_ABORT. `lData` is
 * the user value the host passed to GetPicture. May be NULL, in which case it is not called. */
typedef int(SPI_CALL* SPI_PROGRESS)(int nNum, int nDenom, SPI_USERDATA lData);

/*
 * GetPluginInfo: text number `infono` into `buf` (at most buflen - 1 characters, zero-terminated).
 *   0: API version ("00IN" image input, "00AM" archive); 1: plug-in name and version;
 *   2n+2 / 2n+3: the n-th pair of file patterns ("*.jpg;*.jpeg") and format name ("JPEG file").
 *   Returns the number of characters written; 0 when there is no such text.
 *   Ownership: `buf` belongs to the caller.
 */
typedef int(SPI_CALL* SPI_GetPluginInfo)(int infono, char* buf, int buflen);

/*
 * IsSupported: non-zero when the plug-in can decode the file. `filename` is the name (for
 * information only; plug-ins decide by content). `dw` is the address of at least 2048 bytes
 * holding the beginning of the file (zero-padded when the file is shorter). The Windows form in
 * which dw is a file handle does not exist on Linux: plug-ins refuse values below 0x10000.
 *   Ownership: both buffers belong to the caller and are valid during the call only.
 */
typedef int(SPI_CALL* SPI_IsSupported)(const char* filename, SPI_DWORD_PTR dw);

/*
 * GetPictureInfo: fills *lpInfo with the image's size and depth, without decoding the pixels.
 *   `buf`, `len`, `flag`: the input, see SPI_INPUT_*.
 *   Ownership: *lpInfo belongs to the caller; lpInfo->hInfo, when not NULL, is a malloc'd block
 *   that the caller frees.
 */
typedef int(SPI_CALL* SPI_GetPictureInfo)(const char* buf, long len, unsigned int flag,
                                          SPI_PICTINFO* lpInfo);

/*
 * GetPicture: decodes the image into a device-independent bitmap.
 *   On SPI_ALL_RIGHT, *pHBInfo receives a malloc'd bitmap-info block (a 40-byte
 *   BITMAPINFOHEADER followed by the colour table, blue-green-red-reserved per entry) and *pHBm
 *   a malloc'd block with the pixel rows, each padded to 4 bytes, bottom row first when the
 *   height is positive. Both blocks now belong to the caller, which releases them with free().
 *   On any other result nothing is allocated for the caller and the two pointers are not to be
 *   used.
 *   `lpPrgressCallback` may be NULL; `lData` is passed to it unchanged.
 */
typedef int(SPI_CALL* SPI_GetPicture)(const char* buf, long len, unsigned int flag,
                                      SPI_HLOCAL* pHBInfo, SPI_HLOCAL* pHBm,
                                      SPI_PROGRESS lpPrgressCallback, SPI_USERDATA lData);

/* GetPreview: as GetPicture, for a reduced image; optional. */
typedef int(SPI_CALL* SPI_GetPreview)(const char* buf, long len, unsigned int flag,
                                      SPI_HLOCAL* pHBInfo, SPI_HLOCAL* pHBm,
                                      SPI_PROGRESS lpPrgressCallback, SPI_USERDATA lData);

/* ConfigurationDlg: shows the plug-in's settings; `parent` is a native window (may be NULL).
 * The host binds it but never calls it. */
typedef int(SPI_CALL* SPI_ConfigurationDlg)(void* parent, int fnc);

/*
 * Archive plug-ins ("00AM"). The host binds and checks these but never calls them.
 *   GetArchiveInfo: *lphInf receives a malloc'd array of file-information records, freed by the
 *     caller.
 *   GetFileInfo: fills *lpInfo (caller's memory) for the member `filename`.
 *   GetFile: extracts a member to `dest` (a folder name, or with memory output a SPI_HLOCAL*
 *     that receives a malloc'd block owned by the caller).
 */
typedef int(SPI_CALL* SPI_GetArchiveInfo)(const char* buf, long len, unsigned int flag,
                                          SPI_HLOCAL* lphInf);
typedef int(SPI_CALL* SPI_GetFileInfo)(const char* buf, long len, const char* filename,
                                       unsigned int flag, void* lpInfo);
typedef int(SPI_CALL* SPI_GetFile)(const char* src, long len, char* dest, unsigned int flag,
                                   SPI_PROGRESS prgressCallback, SPI_USERDATA lData);

/* The bitmap-info header at the start of the block that GetPicture returns. */
#pragma pack(push, 1)
typedef struct SPI_BITMAPINFOHEADER {
    uint32_t biSize; /* 40 */
    int32_t biWidth;
    int32_t biHeight;       /* positive: bottom-up rows */
    uint16_t biPlanes;      /* 1 */
    uint16_t biBitCount;    /* 1, 4, 8, 16, 24 or 32 */
    uint32_t biCompression; /* 0: uncompressed; 3: 16/32-bit with three colour masks */
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed; /* colour-table entries; 0: 2^biBitCount for 8 bits or fewer */
    uint32_t biClrImportant;
} SPI_BITMAPINFOHEADER;
#pragma pack(pop)

#ifdef __cplusplus
}
static_assert(sizeof(SPI_PICTINFO) == 22 + sizeof(void*), "packed picture-info record");
static_assert(sizeof(SPI_BITMAPINFOHEADER) == 40, "bitmap-info header");
#endif

#endif /* KORVENT_SPI_SUSIE_API_H */
