#include "platform/gui/form_resource.h"

namespace gui {

void EndLoading(TComponent *form) {
    for (int i = 0; i < form->ComponentCount(); ++i) form->Components(i)->EndLoading();
    form->EndLoading();
}

}  // namespace gui
