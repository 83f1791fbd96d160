// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/version.h"

namespace tavolin {

const char* version() {
    return TAVOLIN_VERSION;
}

}  // namespace tavolin
