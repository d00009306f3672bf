#pragma once

#include "ProcessRunner.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

// A ProcessRunner that starts nothing: it records each request, answers with a chosen
// result and, when held, blocks like a program run to its end until released.
class RecordingRunner : public service::ProcessRunner
{
public:
    struct Run
    {
        std::u16string commandLine;
        bool wait = false;
    };

    service::RunResult run(const std::u16string& commandLine, bool wait, servicepipe::ClientRights&) override
    {
        std::unique_lock<std::mutex> guard(lock);
        runs.push_back({commandLine, wait});
        ++inFlight;
        if (inFlight > maxInFlight) {
            maxInFlight = inFlight;
        }
        changed.notify_all();
        changed.wait(guard, [this] { return !held; });
        --inFlight;
        return result;
    }

    void hold()
    {
        std::lock_guard<std::mutex> guard(lock);
        held = true;
    }

    void release()
    {
        std::lock_guard<std::mutex> guard(lock);
        held = false;
        changed.notify_all();
    }

    // Waits until count runs have begun.
    void waitForRuns(std::size_t count)
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [this, count] { return runs.size() >= count; });
    }

    std::vector<Run> recorded()
    {
        std::lock_guard<std::mutex> guard(lock);
        return runs;
    }

    int largestInFlight()
    {
        std::lock_guard<std::mutex> guard(lock);
        return maxInFlight;
    }

    service::RunResult result{true, 0};

private:
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Run> runs;
    bool held = false;
    int inFlight = 0;
    int maxInFlight = 0;
};
