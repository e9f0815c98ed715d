// Everything a window class needs.
#pragma once

#include "platform/control.h"
#include "platform/file_lists.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/platform.h"
#include "platform/serial.h"
#include "platform/text_measure.h"
