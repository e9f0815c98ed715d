#pragma once
// What each form of identification frame tells: the band limits it carries go where the program
// keeps them, and into the main window's status bar. A window calls the one for its opening when
// its link reports the identification. The panels show the limits as the radio gave them; the
// frequency-mode bands Band_A_* and Band_B_* (and the limits taken from them) are kept low limit
// first, so a window that keeps an upper limit one above the radio's raises the band's upper end.

#include "link/link_engine.h"

namespace j5 {

class Program;

// Ident14_Frame: six band limit pairs into VHF_Low..UHF1_High; panels 7 to 9.
void Store_Ident14(Program& program, const Ident_Frame& frame);
// Ident8_Frame: the A band (hundreds implied) and the B band into Band_A_*, Band_B_* and the
// VHF and UHF0 limits; panels 7 and 8.
void Store_Ident8(Program& program, const Ident_Frame& frame);
// Ident8_Dec: one band in three digits each end, for both A and B; panels 8 and 10; the upper
// limits kept one above the radio's.
void Store_Ident8_Dec(Program& program, const Ident_Frame& frame);
// Ident50_Frame: bands A and B in three digits each end; panels 8 and 10, then the upper limits
// one above the radio's; the radio's texts in panels 2, 4 and 6.
void Store_Ident50(Program& program, const Ident_Frame& frame);

}  // namespace j5
