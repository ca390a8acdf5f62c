// The windows the benchmarks run programs in: a headless one that answers the message hook
// as the real window does, and the real main window off-screen.
#pragma once
#include <chrono>

#include "runstate/WindowServices.h"

namespace qx::bench {

// Answers the message hook as the real window does: it looks at the pumps' clock once every
// 256 tokens (it has nothing to let through); everything else is the quiet default.
class FinestraOrologio : public WindowServices {
 public:
  int ElaboraMessaggi() override {
    orologio = MillisecondiPompa();
    return 255;
  }
  std::uint64_t orologio = 0;
};

}  // namespace qx::bench
