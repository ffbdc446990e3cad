// The BODY tag group: five colour roles, their preview and the samples.
#include "mainwindow/tform1.h"

namespace tintara {

void TForm1::CreateBodyGroup() {}

void TForm1::ComposeBodyTag() {}

}  // namespace tintara
