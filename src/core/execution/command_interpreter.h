#pragma once

#include <string>

#include "core/interfaces/platform.h"

namespace tavorin {

// Carries out one command text (P, L, R, M, D, S, K or T). Faults in the text
// are shown to the user through the platform's error box and never reach the
// caller.
void ExecuteCommand(Platform& platform, std::u16string command);

}  // namespace tavorin
