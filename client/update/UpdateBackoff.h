#pragma once

// The pause before the next update check: one second after an answer, then doubled
// after every check that got none, up to five minutes, so a web API that is down is
// not asked once a second for as long as the client runs.
class UpdateBackoff
{
public:
    static constexpr int firstDelayMs = 1000;
    static constexpr int maxDelayMs = 5 * 60 * 1000;

    // The delay to wait now; the one after it is twice as long (capped).
    int nextDelayMs();
    // An answer came: the next delay is the first one again.
    void reset();

private:
    int delayMs = firstDelayMs;
};
