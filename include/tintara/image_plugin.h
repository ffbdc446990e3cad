/*
 * Tintara picture plug-ins.
 *
 * A picture plug-in is a shared library (named *.spi, in any letter case)
 * that decodes one or more picture formats for Tintara. It exports the C
 * functions declared below. Tintara loads plug-ins from its own plug-in
 * folder, or from the folder set under "Varrow/Susie", "Plug-in/Path" in the
 * user's settings, and calls them in a helper process of its own, so a
 * plug-in that crashes or hangs costs only the picture it was asked for.
 *
 * Every text is 8-bit and zero-terminated. Every integer has a fixed width,
 * the same on every platform. The functions use TINTARA_SPI_CALL, the
 * calling convention of the platform's plug-ins.
 *
 * Memory: on success GetPicture hands back two blocks, each allocated with
 * malloc() by the plug-in. The first holds a TintaraBitmapInfoHeader
 * followed by its colour table (and, for the bit-field compression, the
 * three masks before it); the second holds the pixel rows. Tintara frees
 * both with free(); the plug-in must not keep or free them. Tintara never
 * reads past the end of either block, and treats an answer whose header,
 * colour table or rows do not fit into the blocks as a failed decode.
 *
 * The pixel rows are those of a device-independent bitmap: each row padded
 * to a multiple of 4 bytes, bottom row first for a positive height and top
 * row first for a negative one; 1, 4 and 8 bits per pixel index the colour
 * table, 16 bits are 5-5-5 (or the bit-field masks), 24 bits are blue, green,
 * red, 32 bits are blue, green, red and alpha. A 32-bit picture whose alpha
 * bytes are all 0 is opaque.
 */
#ifndef TINTARA_IMAGE_PLUGIN_H_
#define TINTARA_IMAGE_PLUGIN_H_

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define TINTARA_SPI_CALL __stdcall
#else
#define TINTARA_SPI_CALL
#endif

#if defined(_WIN32)
#define TINTARA_SPI_EXPORT __declspec(dllexport)
#else
#define TINTARA_SPI_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* What GetPluginInfo reports, by item number. */
enum {
  TINTARA_SPI_INFO_API_VERSION = 0, /* "00IN" for a picture decoder */
  TINTARA_SPI_INFO_NAME = 1,        /* the plug-in's own name */
  TINTARA_SPI_INFO_PATTERN = 2,     /* file names it reads: "*.jpg;*.jpeg" */
  TINTARA_SPI_INFO_FORMAT = 3       /* the format's name: "JPEG" */
};

/* The only API version Tintara loads: a picture decoder. */
#define TINTARA_SPI_API_VERSION "00IN"

/* IsSupported is always given at least this many readable bytes; past the
 * end of a shorter file they are zero. */
#define TINTARA_SPI_HEADER_BYTES 2048

/* GetPicture's flag: the input is a block in memory. */
#define TINTARA_SPI_INPUT_MEMORY 1

/* GetPicture's results. */
#define TINTARA_SPI_OK 0
#define TINTARA_SPI_FAILED 1

/* Compression values of TintaraBitmapInfoHeader. */
#define TINTARA_BI_RGB 0
#define TINTARA_BI_BITFIELDS 3

/* The bitmap header, 40 bytes, little-endian, no padding. */
#pragma pack(push, 1)
typedef struct TintaraBitmapInfoHeader {
  uint32_t size;              /* sizeof(TintaraBitmapInfoHeader), 40, or more */
  int32_t width;              /* pixels, positive */
  int32_t height;             /* pixels; negative: the top row comes first */
  uint16_t planes;            /* 1 */
  uint16_t bit_count;         /* 1, 4, 8, 16, 24 or 32 */
  uint32_t compression;       /* TINTARA_BI_RGB or TINTARA_BI_BITFIELDS */
  uint32_t size_image;        /* bytes of pixel rows, or 0 */
  int32_t x_pels_per_meter;   /* may be 0 */
  int32_t y_pels_per_meter;   /* may be 0 */
  uint32_t colours_used;      /* colour-table entries; 0: all 2^bit_count */
  uint32_t colours_important; /* may be 0 */
} TintaraBitmapInfoHeader;

/* One colour-table entry. */
typedef struct TintaraRgbQuad {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
  uint8_t reserved;
} TintaraRgbQuad;
#pragma pack(pop)

/* Progress of a decode: `done` of `total`. Return 0 to go on. */
typedef int32_t(TINTARA_SPI_CALL* TintaraSpiProgress)(int32_t done, int32_t total, intptr_t data);

/* Copies item `item` as a zero-terminated text into `buffer` of
 * `buffer_length` bytes; returns the text's length, or 0 for an item the
 * plug-in does not know. Required. */
TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPluginInfo(int32_t item, char* buffer,
                                                          int32_t buffer_length);

/* Non-zero when the plug-in reads the file that starts with `header`
 * (at least TINTARA_SPI_HEADER_BYTES bytes). `file_name` is NULL: the data
 * comes from memory. */
TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL IsSupported(const char* file_name, const void* header);

/* Decodes the `length` bytes at `data` (flag TINTARA_SPI_INPUT_MEMORY).
 * On TINTARA_SPI_OK, *info is the malloc()ed header block and *bits the
 * malloc()ed pixel rows. `progress` may be called with `progress_data`. */
TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPicture(const char* data, int64_t length,
                                                       uint32_t flag, void** info, void** bits,
                                                       TintaraSpiProgress progress,
                                                       intptr_t progress_data);

/* Looked up for completeness; Tintara never calls them. A plug-in may leave
 * them out. The second is spelled so: that is the name plug-ins export. */
TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPictureInfo(const char* data, int64_t length,
                                                           uint32_t flag, void* info);
TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPrevoew(const char* data, int64_t length,
                                                       uint32_t flag, void** info, void** bits,
                                                       TintaraSpiProgress progress,
                                                       intptr_t progress_data);

#ifdef __cplusplus
}
#endif

#endif /* TINTARA_IMAGE_PLUGIN_H_ */
