#pragma once
// One emulated scale and the program's end of its line, for the emulator's own tests.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "PtyPort.h"
#include "support/EmuProcess.h"

namespace emutest
{

inline Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

inline qmtest::EmuOptions withState(int number, std::string stateJson)
{
    qmtest::EmuOptions options;
    options.number = number;
    options.stateJson = std::move(stateJson);
    return options;
}

struct ScaleLine {
    explicit ScaleLine(qmtest::EmuOptions options = {}) : scale(options), port(scale.device()), number(options.number)
    {
    }

    // Addresses the scale, expects it ready, sends the command and returns its answer.
    Bytes command(const Bytes& bytes, std::size_t answerSize, int timeoutMs = 1000)
    {
        port.write({static_cast<std::uint8_t>(number)});
        EXPECT_EQ(port.read(2), (Bytes{static_cast<std::uint8_t>(number), 0x80}));
        return port.exchange(bytes, answerSize, timeoutMs);
    }

    qmtest::EmuProcess scale;
    PtyPort port;
    int number;
};

} // namespace emutest
