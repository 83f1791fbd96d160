#include "engine/version.h"

namespace tavolin {

const char* version() {
    return TAVOLIN_VERSION;
}

}  // namespace tavolin
