#include "draw/image.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

namespace {

// Headers, palette and colour profile of a BMP file come before its pixels, in far less.
constexpr uint32_t kMaxBmpPixelOffset = 1u << 20;

// The decoder for the file's kind, told by its first bytes; null for a kind the panel does not
// show (the image library knows many more, and each is more code an outside file could reach).
const char* KindOf(const uint8_t* head, size_t size) {
  auto startsWith = [head, size](std::string_view magic) {
    return size >= magic.size() && std::memcmp(head, magic.data(), magic.size()) == 0;
  };
  if (startsWith("\x89PNG\r\n\x1a\n")) return "png";
  if (startsWith("\xFF\xD8\xFF")) return "jpeg";
  if (startsWith("GIF87a") || startsWith("GIF89a")) return "gif";
  // The BMP decoder allocates whatever the header's info size and pixel offset fields say
  // before it reads on: take only the info sizes the format defines, and offsets a real file has.
  if (startsWith("BM") && size >= 18) {
    auto field = [head](size_t at) {
      return head[at] | head[at + 1] << 8 | head[at + 2] << 16 | static_cast<uint32_t>(head[at + 3]) << 24;
    };
    const uint32_t infoSize = field(14);
    const bool knownInfo = infoSize == 12 || infoSize == 16 || infoSize == 40 || infoSize == 52 ||
                           infoSize == 56 || infoSize == 64 || infoSize == 108 || infoSize == 124;
    if (knownInfo && field(10) <= kMaxBmpPixelOffset) return "bmp";
  }
  return nullptr;
}

bool SizeAllowed(int width, int height) {
  return width > 0 && height > 0 && width <= CRImage::kMaxSide && height <= CRImage::kMaxSide &&
         int64_t{width} * height <= CRImage::kMaxPixels;
}

// channel x alpha / 255, rounded.
uint32_t Premultiply(uint32_t channel, uint32_t alpha) {
  const uint32_t t = channel * alpha + 0x80;
  return (t + (t >> 8)) >> 8;
}

std::unique_ptr<CRSurface> ToSurface(const GdkPixbuf* pixbuf) {
  const int width = gdk_pixbuf_get_width(pixbuf);
  const int height = gdk_pixbuf_get_height(pixbuf);
  const bool hasAlpha = gdk_pixbuf_get_has_alpha(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  if (!SizeAllowed(width, height) || gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB ||
      gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels != (hasAlpha ? 4 : 3))
    return nullptr;
  auto surface = std::make_unique<CRSurface>(width, height);
  if (!surface->IsValid()) return nullptr;
  cairo_surface_t* target = surface->GetCairoSurface();
  cairo_surface_flush(target);
  uint8_t* out = cairo_image_surface_get_data(target);
  const int outStride = cairo_image_surface_get_stride(target);
  const uint8_t* in = gdk_pixbuf_read_pixels(pixbuf);
  const int inStride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = in + static_cast<ptrdiff_t>(y) * inStride;
    uint8_t* to = out + static_cast<ptrdiff_t>(y) * outStride;
    for (int x = 0; x < width; ++x, from += channels, to += 4) {
      const uint32_t alpha = hasAlpha ? from[3] : 255;
      // The surface keeps one native-endian word per pixel: alpha, red, green, blue from the top.
      const uint32_t argb = alpha << 24 | Premultiply(from[0], alpha) << 16 |
                            Premultiply(from[1], alpha) << 8 | Premultiply(from[2], alpha);
      std::memcpy(to, &argb, sizeof argb);
    }
  }
  cairo_surface_mark_dirty(target);
  return surface;
}

// One image fed to the image library piece by piece. Decoding stops as soon as the image's
// size is known to be too large, before its pixels are allocated.
//
// Some decoders take a file that ends early and leave the missing rows blank; for the kinds that
// report their rows as they decode them, the image counts only when every row was reported.
class Decoder {
 public:
  explicit Decoder(const char* kind)
      : m_pLoader(gdk_pixbuf_loader_new_with_type(kind, nullptr)),
        // GIF decodes at the end, and reports a frame smaller than the image in the frame's places.
        m_bCountRows(std::string_view(kind) != "gif") {
    if (!m_pLoader) return;
    g_signal_connect(m_pLoader, "size-prepared", G_CALLBACK(&Decoder::SizePrepared), this);
    g_signal_connect(m_pLoader, "area-updated", G_CALLBACK(&Decoder::AreaUpdated), this);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;
  ~Decoder() {
    if (!m_pLoader) return;
    Close();
    g_object_unref(m_pLoader);
  }

  // False once the image is refused; nothing more need be written then.
  bool Write(const uint8_t* data, size_t size) {
    if (!m_pLoader || m_bFailed) return false;
    if (size > 0 && !gdk_pixbuf_loader_write(m_pLoader, data, size, nullptr)) {
      m_bClosed = true;  // a failed write closes the loader
      m_bFailed = true;
    }
    return !m_bFailed;
  }

  // The whole image, or null when any part of it was missing or wrong.
  std::unique_ptr<CRSurface> Finish() {
    if (!m_pLoader || !Close() || m_bFailed) return nullptr;
    if (m_bCountRows && (m_rowDone.empty() || m_nRowsDone != m_rowDone.size())) return nullptr;
    // For an animation this is its first frame.
    const GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(m_pLoader);
    return pixbuf ? ToSurface(pixbuf) : nullptr;
  }

 private:
  bool Close() {
    if (m_bClosed) return true;
    m_bClosed = true;
    if (!gdk_pixbuf_loader_close(m_pLoader, nullptr)) m_bFailed = true;
    return !m_bFailed;
  }

  static void SizePrepared(GdkPixbufLoader* loader, int width, int height, gpointer self) {
    auto& decoder = *static_cast<Decoder*>(self);
    if (SizeAllowed(width, height)) {
      decoder.m_rowDone.assign(static_cast<size_t>(height), false);
      return;
    }
    decoder.m_bFailed = true;
    // Asking for an image of no size makes the decoder give up without allocating.
    gdk_pixbuf_loader_set_size(loader, 0, 0);
  }

  static void AreaUpdated(GdkPixbufLoader*, int /*x*/, int y, int /*width*/, int height, gpointer self) {
    auto& decoder = *static_cast<Decoder*>(self);
    const int64_t end = std::min(int64_t{y} + height, static_cast<int64_t>(decoder.m_rowDone.size()));
    for (int64_t row = std::max(y, 0); row < end; ++row)
      if (!decoder.m_rowDone[row]) {
        decoder.m_rowDone[row] = true;
        ++decoder.m_nRowsDone;
      }
  }

  GdkPixbufLoader* m_pLoader;
  bool m_bCountRows;
  bool m_bClosed = false;
  bool m_bFailed = false;
  std::vector<bool> m_rowDone;
  size_t m_nRowsDone = 0;
};

}  // namespace

std::unique_ptr<CRSurface> CRImage::LoadBytes(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  const char* kind = bytes ? KindOf(bytes, size) : nullptr;
  if (!kind) return nullptr;
  Decoder decoder(kind);
  if (!decoder.Write(bytes, size)) return nullptr;
  return decoder.Finish();
}

std::unique_ptr<CRSurface> CRImage::LoadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return nullptr;
  std::array<uint8_t, 64 * 1024> chunk;
  auto readChunk = [&file, &chunk] {
    file.read(reinterpret_cast<char*>(chunk.data()), chunk.size());
    return static_cast<size_t>(file.gcount());
  };
  size_t size = readChunk();
  const char* kind = KindOf(chunk.data(), size);
  if (!kind) return nullptr;
  Decoder decoder(kind);
  for (; size > 0; size = readChunk())
    if (!decoder.Write(chunk.data(), size)) return nullptr;
  if (file.bad()) return nullptr;
  return decoder.Finish();
}

std::unique_ptr<CRSurface> CRImage::WithTransparentColor(const CRSurface& image, uint32_t colorRef) {
  const int width = image.GetWidth();
  const int height = image.GetHeight();
  auto copy = std::make_unique<CRSurface>(width, height);
  if (!copy->IsValid() || !image.IsValid()) return copy;
  cairo_surface_t* source = image.GetCairoSurface();
  cairo_surface_t* target = copy->GetCairoSurface();
  cairo_surface_flush(source);
  cairo_surface_flush(target);
  // An opaque pixel's premultiplied channels are its colour.
  const uint32_t key = 0xFF000000u | (colorRef & 0xFF) << 16 | (colorRef & 0xFF00) | (colorRef >> 16 & 0xFF);
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = cairo_image_surface_get_data(source) + y * cairo_image_surface_get_stride(source);
    uint8_t* to = cairo_image_surface_get_data(target) + y * cairo_image_surface_get_stride(target);
    for (int x = 0; x < width; ++x) {
      uint32_t argb = 0;
      std::memcpy(&argb, from + x * 4, sizeof argb);
      if (argb == key) argb = 0;
      std::memcpy(to + x * 4, &argb, sizeof argb);
    }
  }
  cairo_surface_mark_dirty(target);
  return copy;
}
