/* WebP picture plug-in: decodes still WebP pictures from memory into 32-bit
 * top-down rows (blue, green, red, alpha) with libwebp. */
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <tintara/image_plugin.h>
#include <webp/decode.h>

_Static_assert(sizeof(TintaraBitmapInfoHeader) == 40, "the bitmap header is 40 bytes");

enum { kBytesPerPixel = 4 };

/* Copies as much of `text` as fits, always zero-terminated; returns the
 * length copied. */
static int32_t CopyText(const char* text, char* buffer, int32_t buffer_length) {
  if (buffer == NULL || buffer_length <= 0) return 0;
  size_t length = strlen(text);
  if (length > (size_t)buffer_length - 1) length = (size_t)buffer_length - 1;
  memcpy(buffer, text, length);
  buffer[length] = '\0';
  return (int32_t)length;
}

static int HasWebpMagic(const uint8_t* bytes) {
  return memcmp(bytes, "RIFF", 4) == 0 && memcmp(bytes + 8, "WEBP", 4) == 0;
}

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPluginInfo(int32_t item, char* buffer,
                                                          int32_t buffer_length) {
  switch (item) {
    case TINTARA_SPI_INFO_API_VERSION:
      return CopyText(TINTARA_SPI_API_VERSION, buffer, buffer_length);
    case TINTARA_SPI_INFO_NAME:
      return CopyText("Tintara WebP decoder 1.0", buffer, buffer_length);
    case TINTARA_SPI_INFO_PATTERN:
      return CopyText("*.webp", buffer, buffer_length);
    case TINTARA_SPI_INFO_FORMAT:
      return CopyText("WebP", buffer, buffer_length);
    default:
      CopyText("", buffer, buffer_length);
      return 0;
  }
}

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL IsSupported(const char* file_name, const void* header) {
  (void)file_name;
  return header != NULL && HasWebpMagic((const uint8_t*)header);
}

TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPicture(const char* data, int64_t length,
                                                       uint32_t flag, void** info, void** bits,
                                                       TintaraSpiProgress progress,
                                                       intptr_t progress_data) {
  if (info == NULL || bits == NULL) return TINTARA_SPI_FAILED;
  *info = NULL;
  *bits = NULL;
  /* A RIFF file cannot be larger than 4 GiB, and libwebp's sizes are ints
   * in places, so anything past INT32_MAX is not worth trying. */
  if (flag != TINTARA_SPI_INPUT_MEMORY || data == NULL || length < 12 || length > INT32_MAX)
    return TINTARA_SPI_FAILED;
  const uint8_t* bytes = (const uint8_t*)data;
  const size_t size = (size_t)length;
  /* libwebp also takes bare VP8/VP8L streams; a file must be a RIFF one. */
  if (!HasWebpMagic(bytes)) return TINTARA_SPI_FAILED;

  int width = 0;
  int height = 0;
  WebPBitstreamFeatures features;
  if (!WebPGetInfo(bytes, size, &width, &height) ||
      WebPGetFeatures(bytes, size, &features) != VP8_STATUS_OK || features.has_animation ||
      width <= 0 || height <= 0 || features.width != width || features.height != height)
    return TINTARA_SPI_FAILED;
  /* WebP pictures are at most 16383 pixels a side, but the sizes below must
   * hold whatever the stream claims: an int stride and a 32-bit size_image. */
  if ((size_t)width > INT_MAX / kBytesPerPixel) return TINTARA_SPI_FAILED;
  const size_t stride = (size_t)width * kBytesPerPixel;
  if ((size_t)height > UINT32_MAX / stride) return TINTARA_SPI_FAILED;
  const size_t image_size = stride * (size_t)height;

  TintaraBitmapInfoHeader* header = malloc(sizeof *header);
  uint8_t* rows = malloc(image_size);
  if (header == NULL || rows == NULL) goto failed;
  if (progress != NULL && progress(0, 1, progress_data) != 0) goto failed;
  if (WebPDecodeBGRAInto(bytes, size, rows, image_size, (int)stride) == NULL) goto failed;
  /* libwebp fills 255 without an alpha channel; all-zero alpha is what says
   * "opaque" to the host, and 255 would make it look like a real mask. */
  if (!features.has_alpha) {
    for (size_t i = 3; i < image_size; i += kBytesPerPixel) rows[i] = 0;
  }

  memset(header, 0, sizeof *header);
  header->size = sizeof *header;
  header->width = width;
  header->height = -height;
  header->planes = 1;
  header->bit_count = 32;
  header->compression = TINTARA_BI_RGB;
  header->size_image = (uint32_t)image_size;
  if (progress != NULL) progress(1, 1, progress_data);
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

/* No previews: the whole picture is cheap enough to decode. */
TINTARA_SPI_EXPORT int32_t TINTARA_SPI_CALL GetPrevoew(const char* data, int64_t length,
                                                       uint32_t flag, void** info, void** bits,
                                                       TintaraSpiProgress progress,
                                                       intptr_t progress_data) {
  (void)data;
  (void)length;
  (void)flag;
  (void)progress;
  (void)progress_data;
  if (info != NULL) *info = NULL;
  if (bits != NULL) *bits = NULL;
  return TINTARA_SPI_FAILED;
}
