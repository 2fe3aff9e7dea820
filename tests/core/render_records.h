#pragma once
// Hand-built records for the render suites, and the comparison of the fast image loop with the literal one.

#include "RenderCompute.h"
#include "tIES.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

inline tArrEx Steps(long double first, long double step, int count)
{
    tArrEx values;
    for (int i = 0; i < count; ++i)
        values.push_back(first + step * i);
    return values;
}

inline tIES Record(tArrEx vertical, tArrEx horizontal, std::vector<tArrEx> candela)
{
    tIES ies;
    ies.NumVertAngles = static_cast<uint16_t>(vertical.size());
    ies.NumHorizAngles = static_cast<uint16_t>(horizontal.size());
    ies.VertAngles = std::move(vertical);
    ies.HorizAngles = std::move(horizontal);
    ies.Candela = std::move(candela);
    return ies;
}

// Random values on every plane, some of them negative when `negatives` (extrapolation and |v| at work).
inline tIES RandomRecord(tArrEx vertical, tArrEx horizontal, unsigned seed, bool negatives = false)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> value(negatives ? -200.0 : 0.0, 3000.0);
    std::vector<tArrEx> candela(horizontal.size());
    for (tArrEx& plane : candela)
        for (size_t v = 0; v < vertical.size(); ++v)
            plane.push_back(static_cast<long double>(value(generator)) / 7);
    return Record(std::move(vertical), std::move(horizontal), std::move(candela));
}

inline const RenderSettings ComparedSettings[] = {
    { 15, 500, false },
    { 1, 1, false },
    { 100, 10000, true },
    { 37, 123, true },
};

// The fast loop and the literal loop give the same bytes, or fail with the same message. Returns the literal
// loop's failure message, empty when it rendered.
inline std::string ExpectSameAsLiteral(const tIES& ies, int plane, const RenderSettings& settings)
{
    SCOPED_TRACE(testing::Message() << "plane=" << plane << " brightness=" << settings.brightnessPosition
                                    << " zoom=" << settings.zoomPosition << " radiosity=" << settings.radiosity);
    GreyImage fast {}, literal {};
    std::string fastFailure, literalFailure;
    try {
        RenderImage(ies, plane, settings, fast, nullptr);
    } catch (const std::runtime_error& error) {
        fastFailure = error.what();
    }
    try {
        RenderImageLiteral(ies, plane, settings, literal, nullptr);
    } catch (const std::runtime_error& error) {
        literalFailure = error.what();
    }
    EXPECT_EQ(fastFailure, literalFailure);
    size_t differing = 0;
    for (size_t i = 0; i < fast.size(); ++i)
        differing += fast[i] != literal[i];
    EXPECT_EQ(differing, 0u);
    return literalFailure;
}
