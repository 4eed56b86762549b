// A chart that reaches up into the window: the layer check must refuse it, and let the
// includes of its own layer and of the model pass.

#include "charts/chart_odds.h"
#include "shell/form2.h"
#include "ui/qt/qt_window.h"
