#include "platform/gui/font_configuration.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace gui {

void LoadFontConfigurationAhead() {
    // Joined when the program ends, should it end before the loading does.
    static std::jthread loader([] { FcInit(); });
}

}  // namespace gui
