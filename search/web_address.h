// The address of the web search shown when a search finds nothing.
#pragma once

#include <string>
#include <string_view>

namespace wy {

// host + "/baidu?word=" + every byte of the GBK text as "%" and two upper-case
// hex digits, ASCII letters and digits included, so the engine receives the
// GBK bytes exactly. The address has no scheme; build the browser's address
// from these bytes as they are (already encoded), not from a decoded string.
std::string WebSearchAddress(std::string_view host, std::string_view text);

}  // namespace wy
