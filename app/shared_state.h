// The program-wide state the window's handlers share. It lives from
// InitGlobals, before the window is made, to FreeGlobals, after the event
// loop; only the UI thread touches it, except that a running duplicate
// removal owns Bank until it hands the result back (see MainWindow).
#pragma once

#include <string>

#include "search/batch.h"
#include "search/search_list.h"
#include "text/text_array.h"

namespace wy {

struct SharedState {
    std::string RunDir;      // program directory with a trailing separator
    SearchList Bank;         // the main bank, as listed and searched
    SearchList CustomBank;   // searched first, tagged in results
    Batch BatchCheck;        // BatchList (.list) and BatchIndex (.index)
    bool NewEntryFileOpen = false;
    int NewEntryFile = 0;    // handle of this run's new-entries file
};

SharedState& Globals();
void InitGlobals();
// Releases the shared state; safe to call more than once, acts once.
void FreeGlobals();
// How many times FreeGlobals has released the state (for shutdown checks).
int FreeGlobalsRuns();

}  // namespace wy
