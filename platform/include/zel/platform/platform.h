#pragma once
// Everything the editor's window code uses from the platform layer.

#include "zel/platform/commdlg.h"
#include "zel/platform/controls.h"
#include "zel/platform/dc.h"
#include "zel/platform/dialog.h"
#include "zel/platform/docview.h"
#include "zel/platform/gdi.h"
#include "zel/platform/hooks.h"
#include "zel/platform/menu.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"
#include "zel/platform/wide_text.h"
#include "zel/platform/wnd.h"
