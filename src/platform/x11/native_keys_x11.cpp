#include "core/interfaces/native_keys.h"

#include "platform/x11/virtual_key_map.h"

namespace tavorin {

// On X11 the native key is the keysym and the scan code the keycode.
std::optional<std::uint8_t> VirtualKeyForNativeKeyPress(std::uint32_t nativeKey,
                                                        std::uint32_t nativeScanCode) {
  return VirtualKeyForPressedKey(nativeKey, nativeScanCode);
}

}  // namespace tavorin
