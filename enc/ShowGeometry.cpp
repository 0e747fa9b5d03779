#include "ShowGeometry.h"

#include "NumberText.h"

#include <cmath>
#include <cstdio>
#include <numeric>

namespace kiv::enc {

namespace {

struct Norm {
    std::string_view prefix;
    const char* rate;
    int height; // of the DVD and DV frame; VCD and SVCD follow from it
};
constexpr Norm kNorms[] = {
    {"pal-", "25", 576}, {"ntsc-", "30000/1001", 480}, {"film-", "24000/1001", 480}};

// The frame rate a text names, as FFmpeg reads "-r": a decimal number or a
// fraction.
double RateValue(std::string_view text) {
    if (std::optional<double> value = ParseNumber(text))
        return *value;
    int num = 0, den = 0;
    char tail = 0;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d/%d%c", &num, &den, &tail) == 2 && num > 0 && den > 0)
        return double(num) / den;
    return 0;
}

// The nearest fraction with a denominator up to 1000 (continued fractions).
void Approximate(double value, int& num, int& den) {
    if (!(value > 1e-6 && value < 1e6)) { // no pixel is shaped so
        num = den = 1;
        return;
    }
    long long p0 = 0, q0 = 1, p1 = 1, q1 = 0;
    double x = value;
    for (int step = 0; step < 32; ++step) {
        long long a = static_cast<long long>(std::floor(x));
        long long p2 = a * p1 + p0, q2 = a * q1 + q0;
        if (q2 > 1000)
            break;
        p0 = p1, q0 = q1, p1 = p2, q1 = q2;
        if (x - a < 1e-9)
            break;
        x = 1 / (x - a);
    }
    num = static_cast<int>(std::max(1LL, p1));
    den = static_cast<int>(std::max(1LL, q1));
}

} // namespace

int ShowGeometry::DisplayWidth() const {
    return static_cast<int>(std::lround(width * PixelAspect()));
}

double AspectValue(std::string_view text) {
    int num = 0, den = 0;
    char separator = 0, tail = 0;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d%c%d%c", &num, &separator, &den, &tail) == 3 &&
        (separator == ':' || separator == '/') && num > 0 && den > 0)
        return double(num) / den;
    std::optional<double> value = ParseNumber(text);
    return value && std::isfinite(*value) && *value > 0 ? *value : 0;
}

ShowGeometry ShowGeometryOf(const FfmpegPlan& plan) {
    ShowGeometry geometry;
    const Norm* norm = nullptr;
    std::string_view kind;
    if (const std::string* target = plan.Find("-target")) {
        for (const Norm& candidate : kNorms) {
            if (std::string_view(*target).starts_with(candidate.prefix)) {
                norm = &candidate;
                kind = std::string_view(*target).substr(candidate.prefix.size());
            }
        }
    }
    if (norm) {
        geometry.rateText = norm->rate;
        geometry.height = kind == "vcd" ? norm->height / 2 : norm->height;
        geometry.width = kind == "vcd" ? 352 : kind == "svcd" ? 480 : 720;
    }
    int width = 0, height = 0;
    char tail = 0;
    if (const std::string* size = plan.Find("-s");
        size && std::sscanf(size->c_str(), "%dx%d%c", &width, &height, &tail) == 2 && width >= 2 &&
        height >= 2 && width <= 16384 && height <= 16384) {
        geometry.width = width;
        geometry.height = height;
    }
    if (const std::string* rate = plan.Find("-r"); rate && RateValue(*rate) > 0)
        geometry.rateText = *rate;
    geometry.rate = RateValue(geometry.rateText);
    if (!(geometry.rate > 0 && geometry.rate <= 1000)) {
        geometry.rateText = "25";
        geometry.rate = 25;
    }
    if (const std::string* aspect = plan.Find("-aspect")) {
        if (double display = AspectValue(*aspect); display > 0) {
            // The pixel's shape: the display aspect over the frame's own.
            int num = 0, den = 0;
            int shownNum = 0, shownDen = 0;
            char separator = 0;
            if (std::sscanf(aspect->c_str(), "%d%c%d", &shownNum, &separator, &shownDen) == 3 &&
                (separator == ':' || separator == '/') && shownNum > 0 && shownDen > 0) {
                long long n = 1LL * shownNum * geometry.height, d = 1LL * shownDen * geometry.width;
                long long g = std::gcd(n, d);
                n /= g, d /= g;
                if (n <= 1000000 && d <= 1000000) {
                    num = static_cast<int>(n), den = static_cast<int>(d);
                }
            }
            if (num == 0)
                Approximate(display * geometry.height / geometry.width, num, den);
            geometry.pixelAspectNum = num;
            geometry.pixelAspectDen = den;
        }
    }
    return geometry;
}

} // namespace kiv::enc
