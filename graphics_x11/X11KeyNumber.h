// X11KeyNumber: an X keysym as the editor's key number (the numbers of the Windows editor's
// virtual-key table), or -1 for keys the editor does not take.
#pragma once

int X11KeyNumber(unsigned long keysym);
