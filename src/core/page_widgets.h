#pragma once
/// The core window's pages are built from the shared page building blocks.

#include "tolvik/ui_common/page_widgets.h"

namespace tolvik::core {
using namespace ::tolvik::ui::page;
} // namespace tolvik::core
