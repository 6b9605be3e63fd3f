#include "search/web_address.h"

namespace wy {

std::string WebSearchAddress(std::string_view host, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string address;
    address.reserve(host.size() + 12 + 3 * text.size());
    address.append(host).append("/baidu?word=");
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        address.push_back('%');
        address.push_back(kHex[byte >> 4]);
        address.push_back(kHex[byte & 0x0F]);
    }
    return address;
}

}  // namespace wy
