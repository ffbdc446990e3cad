/* Picture plug-ins for the plug-in host's tests: one source, built once per
 * variant (TEST_PLUGIN_<VARIANT>, and TEST_PLUGIN_VARIANT its name). Each
 * variant behaves well or breaks the host's rules in one way.
 *
 * They read a tiny format of their own: "TSPI", width (1 byte), height
 * (1 byte), then width * height RGB triples, top row first. They answer with
 * a 24-bit bottom-up picture, rows padded to 4 bytes.
 *
 *   good_a      decodes; format "TestA", pattern "*.tsp", name "Test A"
 *   good_b      decodes with every red inverted (255 - r), so a test can tell
 *               which plug-in answered; format "TestB", "*.tsp;*.tspi"
 *   jpeg_like   reads nothing; format "JPEG", "*.jpg;*.jpeg" in lower case
 *               for the host to upper-case
 *   no_info     has no GetPluginInfo
 *   archive     says it is an archive extractor ("00AM"); would decode
 *   refuses     IsSupported says no; GetPicture would still decode, so a host
 *               that skips the question shows
 *   fails       IsSupported says yes, GetPicture fails
 *   absurd      a header of 100000 x 5 pixels at 24 bits, 16 bytes of rows
 *   short_bits  a header of 64 x 64 pixels at 24 bits, 16 bytes of rows
 *   bad_depth   a header of 7 bits per pixel over the real rows
 *   crashes     GetPicture dies of SIGSEGV
 *   hangs       GetPicture never returns; each call first adds a line to
 *               the file TINTARA_TEST_PLUGIN_CALLS names, if set
 *   progress    decodes, reporting 0/2, 1/2 and 2/2; gives up (fails) when
 *               the callback returns non-zero
 *   slow_progress  decodes as good_a, but only after four seconds, reporting
 *               progress once a second meanwhile
 *
 * Unless said otherwise a variant reports format "TestA", pattern "*.tsp"
 * and the name "Test <variant>".
 */
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <tintara/image_plugin.h>
#include <unistd.h>

#if defined(TEST_PLUGIN_GOOD_A)
#define PLUGIN_NAME "Test A"
#elif defined(TEST_PLUGIN_GOOD_B)
#define PLUGIN_NAME "Test B"
#define FORMAT_NAME "TestB"
#define PATTERN "*.tsp;*.tspi"
#elif defined(TEST_PLUGIN_JPEG_LIKE)
#define FORMAT_NAME "JPEG"
#define PATTERN "*.jpg;*.jpeg"
#elif defined(TEST_PLUGIN_ARCHIVE)
#define API_VERSION "00AM"
#endif

#ifndef PLUGIN_NAME
#define PLUGIN_NAME "Test " TEST_PLUGIN_VARIANT
#endif
#ifndef FORMAT_NAME
#define FORMAT_NAME "TestA"
#endif
#ifndef PATTERN
#define PATTERN "*.tsp"
#endif
#ifndef API_VERSION
#define API_VERSION TINTARA_SPI_API_VERSION
#endif

enum { kMagicBytes = 4, kHeaderBytes = 6 };

static uint32_t Stride(uint32_t width) { return (width * 3 + 3) & ~(uint32_t)3; }

static TintaraBitmapInfoHeader* NewHeader(int32_t width, int32_t height, uint16_t bit_count) {
  TintaraBitmapInfoHeader* header = calloc(1, sizeof *header);
  if (header == NULL) return NULL;
  header->size = sizeof *header;
  header->width = width;
  header->height = height;
  header->planes = 1;
  header->bit_count = bit_count;
  header->compression = TINTARA_BI_RGB;
  header->size_image = Stride((uint32_t)width) * (uint32_t)height;
  return header;
}

/* Reports progress; non-zero when the host asked to stop. */
static int Cancelled(TintaraSpiProgress progress, int32_t done, int32_t total, intptr_t data) {
#if defined(TEST_PLUGIN_PROGRESS)
  return progress != NULL && progress(done, total, data) != 0;
#else
  (void)progress;
  (void)done;
  (void)total;
  (void)data;
  return 0;
#endif
}

#if !defined(TEST_PLUGIN_NO_INFO)
static int32_t CopyText(const char* text, char* buffer, int32_t buffer_length) {
  if (buffer == NULL || buffer_length <= 0) return 0;
  size_t length = strlen(text);
  if (length > (size_t)buffer_length - 1) length = (size_t)buffer_length - 1;
  memcpy(buffer, text, length);
  buffer[length] = '\0';
  return (int32_t)length;
}

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPluginInfo(int32_t item, char* buffer,
                                                          int32_t buffer_length) {
  switch (item) {
    case TINTARA_SPI_INFO_API_VERSION:
      return CopyText(API_VERSION, buffer, buffer_length);
    case TINTARA_SPI_INFO_NAME:
      return CopyText(PLUGIN_NAME, buffer, buffer_length);
    case TINTARA_SPI_INFO_PATTERN:
      return CopyText(PATTERN, buffer, buffer_length);
    case TINTARA_SPI_INFO_FORMAT:
      return CopyText(FORMAT_NAME, buffer, buffer_length);
    default:
      CopyText("", buffer, buffer_length);
      return 0;
  }
}
#endif

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL IsSupported(const char* file_name, const void* header) {
  (void)file_name;
#if defined(TEST_PLUGIN_JPEG_LIKE) || defined(TEST_PLUGIN_REFUSES)
  (void)header;
  return 0;
#else
  return header != NULL && memcmp(header, "TSPI", kMagicBytes) == 0;
#endif
}

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPicture(const char* data, int64_t length,
                                                       uint32_t flag, void** info, void** bits,
                                                       TintaraSpiProgress progress,
                                                       intptr_t progress_data) {
  if (info == NULL || bits == NULL) return TINTARA_SPI_FAILED;
  *info = NULL;
  *bits = NULL;
#if defined(TEST_PLUGIN_CRASHES)
  raise(SIGSEGV);
#elif defined(TEST_PLUGIN_HANGS)
  const char* calls = getenv("TINTARA_TEST_PLUGIN_CALLS");
  FILE* log = calls != NULL ? fopen(calls, "a") : NULL;
  if (log != NULL) {
    fputs("GetPicture\n", log);
    fclose(log);
  }
  for (;;) sleep(1);
#elif defined(TEST_PLUGIN_FAILS) || defined(TEST_PLUGIN_JPEG_LIKE)
  return TINTARA_SPI_FAILED;
#endif
#if defined(TEST_PLUGIN_SLOW_PROGRESS)
  for (int32_t second = 0; second < 4; ++second) {
    if (progress != NULL) progress(second, 4, progress_data);
    sleep(1);
  }
#endif

  const uint8_t* bytes = (const uint8_t*)data;
  if (flag != TINTARA_SPI_INPUT_MEMORY || bytes == NULL || length < kHeaderBytes ||
      memcmp(bytes, "TSPI", kMagicBytes) != 0)
    return TINTARA_SPI_FAILED;
  const uint32_t width = bytes[4];
  const uint32_t height = bytes[5];
  if (width == 0 || height == 0 || length < kHeaderBytes + (int64_t)width * height * 3)
    return TINTARA_SPI_FAILED;
  if (Cancelled(progress, 0, 2, progress_data)) return TINTARA_SPI_FAILED;

  const uint32_t stride = Stride(width);
  TintaraBitmapInfoHeader* header = NewHeader((int32_t)width, (int32_t)height, 24);
  uint8_t* rows = calloc(height, stride);
  if (header == NULL || rows == NULL) goto failed;
  for (uint32_t y = 0; y < height; ++y) {
    if (y == height / 2 && Cancelled(progress, 1, 2, progress_data)) goto failed;
    const uint8_t* in = bytes + kHeaderBytes + (size_t)y * width * 3;
    uint8_t* out = rows + (size_t)(height - 1 - y) * stride;
    for (uint32_t x = 0; x < width; ++x, in += 3, out += 3) {
#if defined(TEST_PLUGIN_GOOD_B)
      out[2] = (uint8_t)(255 - in[0]);
#else
      out[2] = in[0];
#endif
      out[1] = in[1];
      out[0] = in[2];
    }
  }
  if (Cancelled(progress, 2, 2, progress_data)) goto failed;

#if defined(TEST_PLUGIN_ABSURD) || defined(TEST_PLUGIN_SHORT_BITS)
  free(header);
  free(rows);
#if defined(TEST_PLUGIN_ABSURD)
  header = NewHeader(100000, 5, 24);
#else
  header = NewHeader(64, 64, 24);
#endif
  rows = calloc(1, 16);
  if (header == NULL || rows == NULL) goto failed;
#elif defined(TEST_PLUGIN_BAD_DEPTH)
  header->bit_count = 7;
#endif

  *info = header;
  *bits = rows;
  return TINTARA_SPI_OK;

failed:
  free(header);
  free(rows);
  return TINTARA_SPI_FAILED;
}

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPictureInfo(const char* data, int64_t length,
                                                           uint32_t flag, void* info) {
  (void)data;
  (void)length;
  (void)flag;
  (void)info;
  return TINTARA_SPI_FAILED;
}
