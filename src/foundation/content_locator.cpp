#include "foundation/content_locator.h"

namespace lumora {

std::string ContentLocator::find(const std::string& relative) const {
    const std::string local = programDirectory() + relative;
    if (files_.exists(local)) return local;
    return cdromRoot() + "\\" + relative;
}

} // namespace lumora
