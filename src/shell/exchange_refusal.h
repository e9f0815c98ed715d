#pragma once
// What waits for the radio. While any window's exchange with the radio is open (a restart pending
// and the port window's identification included), the program is not closed, the language is not
// switched, no file is loaded or saved and the port is not set: each is refused with a message that
// says what waits, before anything is closed, reloaded, loaded or saved. Closing or reloading a
// window under its exchange would leave the radio half-read or half-written; a file loaded under a
// write would show an image the radio does not get, and one loaded under a read would be
// overwritten in part when the read ends; a save under a read would write the rows of two images.
// Nor is the port changed: the exchange runs on the port it opened, and a restart would open the
// new one.

namespace j5 {

class Program;

enum class Waits_For_Exchange { Exit, Language_Switch, File_Open, File_Save, Port_Setup };

// While an exchange is open: the message for what waits, and true. False, and nothing shown,
// otherwise.
bool Exchange_Refused(Program& program, Waits_For_Exchange what);

}  // namespace j5
