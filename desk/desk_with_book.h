#pragma once
// The desk with the client book at the left of its form: the client list
// wired to the window, so that opening a client fills the form, Ctrl+S keeps
// the form in the book, every sheet that leaves the desk is written into the
// print history, and "print again" and "print household" print through the
// window as it prints everything else.
#include "desk/client_panel.h"
#include "desk/desk_window.h"

namespace vesprin {

// The window takes `panel` over.
void attachClientPanel(DeskWindow& window, ClientPanel* panel);

}  // namespace vesprin
