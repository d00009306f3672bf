#include "firewall/Filter.h"

#include <algorithm>

namespace firewall {

bool Guid::operator==(const Guid& other) const
{
    return data1 == other.data1 && data2 == other.data2 && data3 == other.data3 &&
           std::equal(std::begin(data4), std::end(data4), std::begin(other.data4));
}

} // namespace firewall
