#pragma once

#include <cstdint>
#include <optional>

namespace tavorin {

// The Windows virtual-key code of a key press as the window system reported
// it (its own key code and scan code), mapped by the platform layer so that
// the code replays as the key that was pressed; nothing when it has none.
// Front ends use it to record key chords.
std::optional<std::uint8_t> VirtualKeyForNativeKeyPress(std::uint32_t nativeKey,
                                                        std::uint32_t nativeScanCode);

}  // namespace tavorin
