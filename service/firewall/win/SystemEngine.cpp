#include "firewall/SystemEngine.h"

#include "firewall/win/WfpEngine.h"

namespace firewall {

std::unique_ptr<Engine> makeSystemEngine()
{
    return std::make_unique<wfp::WfpEngine>();
}

} // namespace firewall
