#pragma once

// A model header that reaches up into the charts and the toolkit: the layer check must
// refuse it.

#include <QString>
#include <string>

#include "charts/chart_odds.h"
#include "shell/control.h"
