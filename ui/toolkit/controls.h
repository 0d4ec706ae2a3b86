#pragma once

// Every control kind of the toolkit, for code that works with all of them (renderers, builders).
#include "ui/toolkit/button.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/control.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"
