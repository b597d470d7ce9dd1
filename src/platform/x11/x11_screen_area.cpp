#include "platform/x11/x11_screen_area.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <memory>

namespace tavorin {
namespace {

// A refused image must not end the program, as Xlib's default handler would.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// One colour channel of a pixel, scaled to 0..255 whatever the visual's depth.
std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
  const unsigned long most = mask >> std::countr_zero(mask);
  return static_cast<std::uint32_t>(value * 255 / most);
}

}  // namespace

std::vector<std::uint32_t> ReadRootArea(Display* display, const ScreenRect& area) {
  const int screen = DefaultScreen(display);
  if (area.width <= 0 || area.height <= 0 || area.left < 0 || area.top < 0 ||
      area.Right() > DisplayWidth(display, screen) || area.Bottom() > DisplayHeight(display, screen)) {
    return {};
  }
  // The image's reply comes before XGetImage returns, so any error does too.
  const auto previous = XSetErrorHandler(IgnoreError);
  XImage* raw = XGetImage(display, RootWindow(display, screen), area.left, area.top,
                          static_cast<unsigned>(area.width), static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
  XSetErrorHandler(previous);
  if (raw == nullptr) return {};
  // XDestroyImage is a macro, so it cannot be the deleter itself.
  const auto destroy = [](XImage* image) { XDestroyImage(image); };
  const std::unique_ptr<XImage, decltype(destroy)> image(raw, destroy);
  std::vector<std::uint32_t> pixels;
  pixels.reserve(std::size_t(area.width) * std::size_t(area.height));
  const bool plain = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                     image->blue_mask == 0xFF;
  for (int y = 0; y < area.height; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(image->data) + std::size_t(y) * image->bytes_per_line;
    for (int x = 0; x < area.width; ++x) {
      if (plain) {
        // The usual 24-bit visual: read the four bytes in the image's order.
        const unsigned char* p = row + std::size_t(x) * 4;
        pixels.push_back(image->byte_order == LSBFirst ? (p[2] << 16 | p[1] << 8 | p[0])
                                                       : (p[1] << 16 | p[2] << 8 | p[3]));
        continue;
      }
      const unsigned long pixel = XGetPixel(image.get(), x, y);
      pixels.push_back(Channel(pixel, image->red_mask) << 16 | Channel(pixel, image->green_mask) << 8 |
                       Channel(pixel, image->blue_mask));
    }
  }
  return pixels;
}

}  // namespace tavorin
