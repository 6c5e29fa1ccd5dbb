#pragma once

#include <cstdint>

namespace torvane {

// The program's pseudo-random numbers, 0..32767, from a linear congruential generator, so a
// given seed always gives the same shuffle (tests and torvane-cli --seed rely on that).
class CRandom {
public:
    static constexpr int Max = 32767;

    explicit CRandom(uint32_t seed = 1) : m_State(seed) {}

    void Seed(uint32_t seed) { m_State = seed; }
    int Next() {
        m_State = m_State * 214013u + 2531011u;
        return static_cast<int>((m_State >> 16) & 0x7FFF);
    }

private:
    uint32_t m_State;
};

} // namespace torvane
