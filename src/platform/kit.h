// Everything a window class needs.
//
// A window derives from kit::Form (kit::MdiForm for the main window), holds
// its controls as members constructed with *this and their name, and wires
// each control event to a handler method named after control and event
// (Command_read.Click = [this] { Command_read_Click(); }). The program owns
// one kit::FormSlot<T> per window (load, unload, show, loaded, get).
// Property setters raise the control's events at once (the event rules);
// events that come from outside (timer ticks, serial arrivals, Activate) run
// from the platform's loop. tests/platform/example_window_test.cpp is a
// whole small window driven by a test on the headless platform.
#pragma once

#include "platform/control.h"
#include "platform/file_lists.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/platform.h"
#include "platform/serial.h"
#include "platform/text_measure.h"
