// SPDX-License-Identifier: GPL-3.0-or-later
// The program's version, from the build's project version.
#pragma once

namespace tavolin {

const char* version();

}  // namespace tavolin
