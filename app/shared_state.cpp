#include "app/shared_state.h"

#include <memory>

namespace wy {

namespace {
std::unique_ptr<SharedState> state;
int freeRuns = 0;
}  // namespace

SharedState& Globals() { return *state; }

void InitGlobals() { state = std::make_unique<SharedState>(); }

void FreeGlobals() {
    if (!state) return;
    state.reset();
    ++freeRuns;
}

int FreeGlobalsRuns() { return freeRuns; }

}  // namespace wy
