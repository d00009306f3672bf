// Fuzz target: arbitrary bytes as requests to the service's dispatcher, several per
// input so that firewall and time-zone state carries from one request to the next.
// Nothing reaches the system: the firewall records, the zone is a fake, no program runs.
#include "Dispatcher.h"
#include "FakeZoneAccess.h"
#include "RecordingEngine.h"
#include "RecordingRunner.h"
#include "SavedState.h"
#include "firewall/Firewall.h"
#include "pipe/ServiceRequest.h"
#include "timezone/IanaZoneMapping.h"
#include "timezone/TimezoneChanger.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// Where SaveFirewallState writes: given by the caller (make fuzz keeps it in the build tree).
const std::filesystem::path& stateDirectory()
{
    static const std::filesystem::path dir = [] {
        const char* given = std::getenv("QUARNEL_FUZZ_STATE_DIR");
        return std::filesystem::path(given != nullptr ? given : "fuzz-state");
    }();
    return dir;
}

class Reader
{
public:
    Reader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool empty() const { return position >= size; }
    std::uint8_t byte() { return position < size ? data[position++] : 0; }
    std::size_t length() { return std::size_t(byte()) | std::size_t(byte()) << 8; }
    std::vector<std::uint8_t> bytes(std::size_t count)
    {
        const std::size_t available = std::min(count, size - std::min(size, position));
        std::vector<std::uint8_t> out(data + position, data + position + available);
        position += available;
        return out;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

// Either a raw record as received (short or cut), or the fields of one spread out over
// a whole record, so that the options at the far end are reached too.
servicepipe::ServiceRequest nextRequest(Reader& in)
{
    const std::uint8_t kind = in.byte();
    if ((kind & 1) == 0) {
        const std::vector<std::uint8_t> raw = in.bytes(in.length());
        return servicepipe::ServiceRequest::fromBytes(raw.data(), raw.size());
    }
    std::vector<std::uint8_t> record(servicepipe::requestSize, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        record[i] = in.byte();
    }
    const std::uint8_t flag = in.byte();
    std::uint8_t options[5];
    for (std::uint8_t& option : options) {
        option = in.byte();
    }
    const std::vector<std::uint8_t> text = in.bytes(in.length());
    const std::size_t offset = (kind & 2) != 0 ? servicepipe::addressListOffset : servicepipe::textOffset;
    for (std::size_t i = 0; i < text.size() && offset + i < servicepipe::optionsOffset; ++i) {
        record[offset + i] = text[i];
    }
    if (offset == servicepipe::textOffset) {
        record[servicepipe::flagOffset] = flag;
    }
    for (std::size_t i = 0; i < 5; ++i) {
        record[servicepipe::optionsOffset + i] = options[i];
    }
    return servicepipe::ServiceRequest::fromBytes(record.data(), record.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FakeSystemZone zone;
    firewall::Firewall firewall(std::make_unique<firewall::RecordingEngine>(size % 7 != 0));
    timezones::TimezoneChanger changer(std::make_unique<FakeZoneAccess>(zone),
                                       std::make_unique<timezones::IanaZoneMapping>());
    RecordingRunner runner;
    const service::SavedState savedState(stateDirectory());
    service::Dispatcher dispatcher(firewall, changer, runner, savedState);

    Reader in(data, size);
    for (int count = 0; !in.empty() && count < 16; ++count) {
        const servicepipe::ServiceRequest request = nextRequest(in);
        const servicepipe::ServiceReply reply = dispatcher.dispatch(request);
        if (reply.ok > 1) {
            std::abort(); // ok is a Boolean byte on the wire
        }
    }
    if (std::rand() % 64 == 0) {
        dispatcher.restoreSavedState();
    }
    return 0;
}
