// The program's version, from the build's project version.
#pragma once

namespace tavolin {

const char* version();

}  // namespace tavolin
