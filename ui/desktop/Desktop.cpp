#include "Desktop.h"

#include "SessionBus.h"
#include "TextEncoding.h"

namespace miravane {

void prepareProcessForToolkit() {
    preferUtf8Characters();
    keepSessionBusFromAutolaunching();
}

}  // namespace miravane
