#include "firewall/SystemEngine.h"

#include "firewall/linux/NftablesEngine.h"

namespace firewall {

std::unique_ptr<Engine> makeSystemEngine()
{
    return std::make_unique<NftablesEngine>();
}

} // namespace firewall
