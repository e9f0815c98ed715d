// Everything a window class needs.
//
// A window derives from kit::Form (or kit::MdiForm for the main window),
// holds its controls as members constructed with *this and their name, and
// wires each control event to a handler method named after control and
// event:
//
//   class Form_Comm_Read : public kit::Form {
//    public:
//     Form_Comm_Read(Program& prog)
//         : Form(prog.platform(), "Form_Comm_Read", &prog.mainWindow()) {
//       Load = [this] { Form_Load(); };
//       Command_read.Click = [this] { Command_read_Click(); };
//       Timer1.Tick = [this] { Timer1_Timer(); };
//       MSC.OnComm = [this] { MSC_OnComm(); };
//     }
//     kit::CommandButton Command_read{*this, "Command_read"};
//     kit::Timer Timer1{*this, "Timer1"};
//     kit::SerialPort MSC{*this, "MSC"};
//     ...
//   };
//
// The program object owns one kit::FormSlot<T> per window (load, unload,
// show, loaded, get). Property setters raise the control's events at once
// (the event rules); events that come from outside (timer ticks, serial
// arrivals, Activate) run from the platform's loop. Tests drive windows with
// kit::Driver on a kit::HeadlessPlatform.
#pragma once

#include "platform/control.h"
#include "platform/file_lists.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/platform.h"
#include "platform/serial.h"
#include "platform/text_measure.h"
