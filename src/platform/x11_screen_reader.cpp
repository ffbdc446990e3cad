#include "platform/x11_screen_reader.h"

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xinerama.h>
#include <xcb/xproto.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <type_traits>

namespace tintara {
namespace {

// From this size on the screen is read through shared memory. The
// magnifier's squares, read on every move, stay below it: making a segment
// for each would cost more than it saves.
constexpr qint64 kSharedGrabPixels = 256 * 256;

// How long a compositing manager takes to fade a window out.
constexpr int kCompositorSettleMs = 200;

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The reply to `cookie`, or null when the request failed; the error, if
// any, is ours to free, and the toolkit never sees it.
template <typename ReplyFunction, typename Cookie>
auto Wait(xcb_connection_t* connection, ReplyFunction reply_function, Cookie cookie) {
  xcb_generic_error_t* error = nullptr;
  using T = std::remove_pointer_t<decltype(reply_function(connection, cookie, &error))>;
  Reply<T> reply(reply_function(connection, cookie, &error));
  std::free(error);
  return reply;
}

// A channel's full value scaled to 0..255.
int Scale(std::uint32_t value, std::uint32_t max) {
  return max == 255 ? static_cast<int>(value) : static_cast<int>((value * 255 + max / 2) / max);
}

// Maps the whole pages of `length` bytes from `start` for writing in one
// call: a whole screen is over a thousand pages, each otherwise faulted in on
// its own during the copy. Where the kernel cannot, the copy faults them as
// before.
void MapPagesAtOnce(const void* start, std::size_t length) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto address = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t begin = (address + page - 1) & ~(page - 1);
  const std::uintptr_t end = (address + length) & ~(page - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

}  // namespace

std::unique_ptr<X11ScreenReader> X11ScreenReader::ForApplication() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  // The toolkit connects to $DISPLAY; its screen number picks the root.
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  if (!xcb_parse_display(nullptr, &host, &display, &screen)) screen = 0;
  std::free(host);
  return std::make_unique<X11ScreenReader>(x11->connection(), screen);
}

X11ScreenReader::X11ScreenReader(xcb_connection_t* connection, int screen_number)
    : connection_(connection), screen_number_(screen_number) {
  const xcb_setup_t* setup = xcb_get_setup(connection_);
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem <= 0) {
    screens = xcb_setup_roots_iterator(setup);
    screen_number_ = 0;
  }
  const xcb_screen_t* screen = screens.data;
  root_ = screen->root;
  root_depth_ = screen->root_depth;
  root_rect_ = QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
  lsb_first_ = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;

  for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem > 0;
       xcb_format_next(&formats)) {
    if (formats.data->depth == screen->root_depth) {
      bits_per_pixel_ = formats.data->bits_per_pixel;
      scanline_pad_ = formats.data->scanline_pad;
    }
  }
  const xcb_visualtype_t* visual = nullptr;
  for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem > 0 && !visual;
       xcb_depth_next(&depths)) {
    for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0;
         xcb_visualtype_next(&visuals)) {
      if (visuals.data->visual_id == screen->root_visual) {
        visual = visuals.data;
        break;
      }
    }
  }
  if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR) return;
  if (bits_per_pixel_ != 16 && bits_per_pixel_ != 24 && bits_per_pixel_ != 32) return;
  if (scanline_pad_ <= 0 || scanline_pad_ % 8 != 0) return;
  for (auto [channel, mask] :
       {std::pair{&red_, visual->red_mask}, std::pair{&green_, visual->green_mask},
        std::pair{&blue_, visual->blue_mask}}) {
    if (mask == 0) return;
    channel->mask = mask;
    channel->shift = std::countr_zero(mask);
    channel->max = mask >> channel->shift;
  }
  readable_ = true;
  const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection_, &xcb_shm_id);
  shared_memory_ = shm != nullptr && shm->present;
  // Bytes B, G, R, X: a 32-bit load in host order is already 0x??RRGGBB.
  bgrx_ = bits_per_pixel_ == 32 && red_.mask == 0xFF0000u && green_.mask == 0x00FF00u &&
          blue_.mask == 0x0000FFu && lsb_first_ == (std::endian::native == std::endian::little);
}

QRect X11ScreenReader::RootRect() const {
  if (auto geometry =
          Wait(connection_, xcb_get_geometry_reply, xcb_get_geometry(connection_, root_)))
    root_rect_ = QRect(0, 0, geometry->width, geometry->height);
  return root_rect_;
}

std::vector<QRect> X11ScreenReader::Monitors() const {
  std::vector<QRect> monitors;
  // A request of an extension the server lacks would close the connection.
  const xcb_query_extension_reply_t* xinerama =
      xcb_get_extension_data(connection_, &xcb_xinerama_id);
  if (xinerama && xinerama->present) {
    // Both asked at once: one round trip.
    const auto active_cookie = xcb_xinerama_is_active(connection_);
    const auto screens_cookie = xcb_xinerama_query_screens(connection_);
    const auto active = Wait(connection_, xcb_xinerama_is_active_reply, active_cookie);
    const auto screens = Wait(connection_, xcb_xinerama_query_screens_reply, screens_cookie);
    if (active && active->state && screens) {
      const xcb_xinerama_screen_info_t* info =
          xcb_xinerama_query_screens_screen_info(screens.get());
      const int count = xcb_xinerama_query_screens_screen_info_length(screens.get());
      for (int i = 0; i < count; ++i) {
        if (info[i].width > 0 && info[i].height > 0)
          monitors.emplace_back(info[i].x_org, info[i].y_org, info[i].width, info[i].height);
      }
    }
  }
  if (monitors.empty()) monitors.push_back(RootRect());
  return monitors;
}

QPoint X11ScreenReader::CursorPosition() const {
  const auto pointer =
      Wait(connection_, xcb_query_pointer_reply, xcb_query_pointer(connection_, root_));
  return pointer ? QPoint(pointer->root_x, pointer->root_y) : QPoint();
}

QImage X11ScreenReader::Grab(const QRect& area) const {
  if (readable_ && shared_memory_ && !area.isEmpty() &&
      static_cast<qint64>(area.width()) * area.height() >= kSharedGrabPixels) {
    if (std::optional<QImage> image = GrabShared(area)) return *std::move(image);
  }
  QImage image(area.size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(kUnreadablePixel);
  if (!readable_) return image;

  auto get_image = [this](const QRect& part) {
    return xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, part.x(), part.y(),
                         part.width(), part.height(), ~0u);
  };
  // The root may have changed size since it was last seen. Its geometry is
  // asked together with the pixels, so this costs no extra round trip
  // unless it did change.
  const auto geometry_cookie = xcb_get_geometry(connection_, root_);
  QRect part = area & root_rect_;
  std::optional<xcb_get_image_cookie_t> image_cookie;
  if (!part.isEmpty()) image_cookie = get_image(part);
  if (auto geometry = Wait(connection_, xcb_get_geometry_reply, geometry_cookie)) {
    const QRect root(0, 0, geometry->width, geometry->height);
    if (root != root_rect_) {
      root_rect_ = root;
      if (image_cookie) xcb_discard_reply(connection_, image_cookie->sequence);
      image_cookie.reset();
      part = area & root;
      if (!part.isEmpty()) image_cookie = get_image(part);
    }
  }
  if (!image_cookie) return image;

  const auto reply = Wait(connection_, xcb_get_image_reply, *image_cookie);
  if (!reply) return image;
  const int stride =
      (part.width() * bits_per_pixel_ + scanline_pad_ - 1) / scanline_pad_ * scanline_pad_ / 8;
  if (xcb_get_image_data_length(reply.get()) < stride * part.height()) return image;
  CopyPixels(xcb_get_image_data(reply.get()), stride, part, area, image);
  return image;
}

// Our mapping of a segment; unmapped when neither the reader nor any
// picture still uses it.
struct X11ScreenReader::SharedMemory {
  SharedMemory(void* data, std::size_t size) : data(static_cast<std::uint8_t*>(data)), size(size) {}
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;
  ~SharedMemory() { shmdt(data); }

  std::uint8_t* const data;
  const std::size_t size;
};

X11ScreenReader::~X11ScreenReader() { DropSegment(); }

void X11ScreenReader::DropSegment() const {
  if (!segment_) return;
  xcb_shm_detach(connection_, server_segment_);
  xcb_flush(connection_);
  segment_.reset();
}

std::optional<QImage> X11ScreenReader::GrabShared(const QRect& area) const {
  const QRect part = area & RootRect();
  if (part.isEmpty()) {
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(kUnreadablePixel);
    return image;
  }
  const int stride =
      (part.width() * bits_per_pixel_ + scanline_pad_ - 1) / scanline_pad_ * scanline_pad_ / 8;
  const std::size_t size = static_cast<std::size_t>(stride) * part.height();
  // The kept segment serves again when no picture still shows it.
  const bool fresh = !segment_ || segment_->size != size || segment_.use_count() > 1;
  int id = -1;
  if (fresh) {
    DropSegment();
    id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (id < 0) return std::nullopt;
    void* data = shmat(id, nullptr, 0);
    if (data == reinterpret_cast<void*>(-1)) {
      shmctl(id, IPC_RMID, nullptr);
      return std::nullopt;
    }
    segment_ = std::make_shared<SharedMemory>(data, size);
    server_segment_ = xcb_generate_id(connection_);
    xcb_shm_attach(connection_, server_segment_, static_cast<std::uint32_t>(id),
                   /*read_only=*/0);
  }
  const auto reply = Wait(connection_, xcb_shm_get_image_reply,
                          xcb_shm_get_image(connection_, root_, static_cast<std::int16_t>(part.x()),
                                            static_cast<std::int16_t>(part.y()),
                                            static_cast<std::uint16_t>(part.width()),
                                            static_cast<std::uint16_t>(part.height()), ~0u,
                                            XCB_IMAGE_FORMAT_Z_PIXMAP, server_segment_, 0));
  // Both sides have attached by now: the segment needs no name any more and
  // goes when the last of them lets go.
  if (id >= 0) shmctl(id, IPC_RMID, nullptr);
  if (!reply) {
    DropSegment();
    // A server on another machine can never attach; the ordinary read is
    // used from now on.
    if (fresh) shared_memory_ = false;
    return std::nullopt;
  }
  if (fresh) MapPagesAtOnce(segment_->data, size);

  if (part == area && bgrx_ && stride == area.width() * 4) {
    // The picture is the segment itself, made opaque where it lies.
    auto* pixels = reinterpret_cast<std::uint32_t*>(segment_->data);
    for (std::size_t i = 0; i < size / 4; ++i) pixels[i] |= 0xFF000000u;
    auto* holder = new std::shared_ptr<SharedMemory>(segment_);
    return QImage(
        segment_->data, area.width(), area.height(), stride, QImage::Format_RGB32,
        [](void* held) { delete static_cast<std::shared_ptr<SharedMemory>*>(held); }, holder);
  }
  QImage image(area.size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  // A whole screen is written over anyway; filling it first costs as much
  // as the copy.
  if (part != area) {
    image.fill(kUnreadablePixel);
  } else {
    MapPagesAtOnce(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
  }
  CopyPixels(segment_->data, stride, part, area, image);
  return image;
}

namespace {

// The segment as a pixmap, the background of a window of ours inside the
// overlay's: the server paints every part that shows, straight from the
// segment it filled itself.
class X11ServerShownPicture final : public ServerShownPicture {
 public:
  X11ServerShownPicture(xcb_connection_t* connection, xcb_window_t window, xcb_pixmap_t pixmap,
                        std::shared_ptr<const void> memory)
      : connection_(connection), window_(window), pixmap_(pixmap), memory_(std::move(memory)) {}
  X11ServerShownPicture(const X11ServerShownPicture&) = delete;
  X11ServerShownPicture& operator=(const X11ServerShownPicture&) = delete;
  ~X11ServerShownPicture() override {
    xcb_destroy_window(connection_, window_);
    xcb_free_pixmap(connection_, pixmap_);
    xcb_flush(connection_);
  }

  void Refresh(const QRect& device) override {
    xcb_clear_area(connection_, /*exposures=*/0, window_, static_cast<std::int16_t>(device.x()),
                   static_cast<std::int16_t>(device.y()),
                   static_cast<std::uint16_t>(device.width()),
                   static_cast<std::uint16_t>(device.height()));
    xcb_flush(connection_);
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t window_;
  xcb_pixmap_t pixmap_;
  std::shared_ptr<const void> memory_;  // Kept while the server shows it.
};

// Sends a request and waits for its outcome; true when it succeeded.
bool Succeeded(xcb_connection_t* connection, xcb_void_cookie_t cookie) {
  xcb_generic_error_t* error = xcb_request_check(connection, cookie);
  std::free(error);
  return error == nullptr;
}

}  // namespace

std::unique_ptr<ServerShownPicture> X11ScreenReader::ShowOnServer(const QImage& frozen,
                                                                  QWidget* window) const {
  // Only a picture that is the segment itself, unchanged in size.
  if (!segment_ || frozen.constBits() != segment_->data || window == nullptr) return nullptr;
  if (!shared_pixmaps_) {
    const auto version =
        Wait(connection_, xcb_shm_query_version_reply, xcb_shm_query_version(connection_));
    shared_pixmaps_ =
        version && version->shared_pixmaps && version->pixmap_format == XCB_IMAGE_FORMAT_Z_PIXMAP;
  }
  if (!*shared_pixmaps_) return nullptr;
  const auto parent = static_cast<xcb_window_t>(window->winId());
  const auto geometry =
      Wait(connection_, xcb_get_geometry_reply, xcb_get_geometry(connection_, parent));
  if (!geometry || geometry->width != frozen.width() || geometry->height != frozen.height() ||
      geometry->depth != root_depth_) {
    return nullptr;
  }
  const auto width = static_cast<std::uint16_t>(frozen.width());
  const auto height = static_cast<std::uint16_t>(frozen.height());
  const xcb_pixmap_t pixmap = xcb_generate_id(connection_);
  if (!Succeeded(connection_, xcb_shm_create_pixmap_checked(
                                  connection_, pixmap, root_, width, height,
                                  static_cast<std::uint8_t>(root_depth_), server_segment_, 0))) {
    return nullptr;
  }
  const xcb_window_t shown = xcb_generate_id(connection_);
  // No events of its own: the pointer's go on to the overlay beneath.
  const std::uint32_t background = pixmap;
  if (!Succeeded(connection_, xcb_create_window_checked(
                                  connection_, XCB_COPY_FROM_PARENT, shown, parent, 0, 0, width,
                                  height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                                  XCB_CW_BACK_PIXMAP, &background))) {
    xcb_free_pixmap(connection_, pixmap);
    xcb_flush(connection_);
    return nullptr;
  }
  xcb_map_window(connection_, shown);
  xcb_flush(connection_);
  return std::make_unique<X11ServerShownPicture>(connection_, shown, pixmap, segment_);
}

void X11ScreenReader::CopyPixels(const std::uint8_t* data, int stride, const QRect& part,
                                 const QRect& area, QImage& image) const {
  const int left = part.x() - area.x();
  const int top = part.y() - area.y();
  const int bytes = bits_per_pixel_ / 8;
  for (int y = 0; y < part.height(); ++y) {
    const std::uint8_t* source = data + static_cast<std::ptrdiff_t>(y) * stride;
    QRgb* target = reinterpret_cast<QRgb*>(image.scanLine(top + y)) + left;
    if (bgrx_) {
      std::memcpy(target, source, static_cast<std::size_t>(part.width()) * 4);
      for (int x = 0; x < part.width(); ++x) target[x] |= 0xFF000000u;
      continue;
    }
    for (int x = 0; x < part.width(); ++x, source += bytes) {
      std::uint32_t value = 0;
      for (int i = 0; i < bytes; ++i) {
        const int byte = lsb_first_ ? bytes - 1 - i : i;
        value = value << 8 | source[byte];
      }
      target[x] = qRgb(Scale((value & red_.mask) >> red_.shift, red_.max),
                       Scale((value & green_.mask) >> green_.shift, green_.max),
                       Scale((value & blue_.mask) >> blue_.shift, blue_.max));
    }
  }
}

QRgb X11ScreenReader::Pixel(QPoint position) const {
  // Off the root or failed, the grab is white already.
  return Grab(QRect(position, QSize(1, 1))).pixel(0, 0);
}

bool X11ScreenReader::WindowsGone(const std::vector<const QWidget*>& windows) const {
  std::vector<xcb_get_window_attributes_cookie_t> cookies;
  for (const QWidget* window : windows) {
    // internalWinId(), unlike winId(), never makes a native window for a
    // widget that has none; such a widget is not on the screen by itself.
    if (!window || !window->testAttribute(Qt::WA_WState_Created) || !window->internalWinId())
      continue;
    cookies.push_back(
        xcb_get_window_attributes(connection_, static_cast<xcb_window_t>(window->internalWinId())));
  }
  bool gone = true;
  for (const auto cookie : cookies) {
    // A window the server no longer knows is gone too.
    const auto attributes = Wait(connection_, xcb_get_window_attributes_reply, cookie);
    if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED) gone = false;
  }
  return gone;
}

int X11ScreenReader::SettleTime() const {
  // A compositing manager owns this selection while it runs.
  const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen_number_);
  const auto atom =
      Wait(connection_, xcb_intern_atom_reply,
           xcb_intern_atom(connection_, /*only_if_exists=*/1, name.size(), name.constData()));
  if (!atom || atom->atom == XCB_ATOM_NONE) return 0;
  const auto owner = Wait(connection_, xcb_get_selection_owner_reply,
                          xcb_get_selection_owner(connection_, atom->atom));
  return owner && owner->owner != XCB_NONE ? kCompositorSettleMs : 0;
}

}  // namespace tintara
