#include "platform/gui/form_resource.h"

namespace gui {

void Loaded(TComponent *form) {
    for (int i = 0; i < form->ComponentCount(); ++i) form->Components(i)->Loaded();
    form->Loaded();
}

}  // namespace gui
