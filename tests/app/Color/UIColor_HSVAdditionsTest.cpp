#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "Color/UIColor_Expanded.h"
#include "Color/UIColor_HSVAdditions.h"

using namespace UIColor_HSVAdditions;

namespace {

void expectHSV(rgb_color rgb, float hue, float saturation, float value) {
    hsv_color hsv = HSVfromRGB(rgb);
    EXPECT_FLOAT_EQ(hsv.hue, hue);
    EXPECT_FLOAT_EQ(hsv.saturation, saturation);
    EXPECT_FLOAT_EQ(hsv.value, value);
}

// Runs python3 on `script` with `input` as its first argument and gives what
// it prints, one line of numbers per input line.
std::vector<std::vector<double>> runPython(const std::string& script, const std::string& input) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("korvel-colorsys-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "check.py") << script;
    std::ofstream(dir / "input.txt") << input;
    std::string command = "python3 '" + (dir / "check.py").string() + "' '" + (dir / "input.txt").string() + "'";
    std::vector<std::vector<double>> rows;
    if (FILE* out = popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, out)) {
            std::vector<double> row;
            char* p = line;
            char* end;
            for (double v = std::strtod(p, &end); end != p; v = std::strtod(p, &end)) {
                row.push_back(v);
                p = end;
            }
            rows.push_back(row);
        }
        pclose(out);
    }
    std::filesystem::remove_all(dir);
    return rows;
}

double hueDistance(double a, double b) {
    double d = std::fabs(a - b);
    return std::min(d, 1 - d);
}

}  // namespace

TEST(UIColorHSV, PrimariesAndTies) {
    expectHSV({1, 0, 0}, 0, 1, 1);
    EXPECT_FLOAT_EQ(hue(UIColor::colorWithRed(0, 1, 0, 1)), 1.0f / 3);
    EXPECT_FLOAT_EQ(hue(UIColor::colorWithRed(0, 0, 1, 1)), 2.0f / 3);
    // Red and blue tie, red wins: -60 + 360 = 300 degrees.
    expectHSV({1, 0, 1}, 300, 1, 1);
    EXPECT_FLOAT_EQ(hue(UIColor::magentaColor()), 5.0f / 6);
    // Red and green tie, red wins: 60 degrees; green and blue tie, green wins.
    expectHSV({1, 1, 0}, 60, 1, 1);
    expectHSV({0, 1, 1}, 180, 1, 1);
}

TEST(UIColorHSV, ValueSaturationAndGreys) {
    expectHSV({1, 0.75f, 0.5f}, 30, 0.5f, 1);
    expectHSV({0.5f, 0.25f, 0.25f}, 0, 0.5f, 0.5f);
    expectHSV({0, 0, 0}, 0, 0, 0);
    expectHSV({0.3f, 0.3f, 0.3f}, 0, 0, 0.3f);
    auto grey = UIColor::colorWithWhite(0.7f, 0.2f);
    EXPECT_EQ(hue(grey), 0);
    EXPECT_EQ(saturation(grey), 0);
    EXPECT_FLOAT_EQ(brightness(grey), 0.7f);
    EXPECT_FLOAT_EQ(value(grey), 0.7f);
    auto c = UIColor::colorWithRed(0.5f, 0.25f, 0.25f, 0.1f);
    EXPECT_FLOAT_EQ(saturation(c), 0.5f);
    EXPECT_FLOAT_EQ(brightness(c), 0.5f);
}

TEST(UIColorHSV, HueStaysBelowAFullTurn) {
    // Green a hair below blue: the hue is a hair below 360, which rounds to
    // 360 in float and so wraps to 0.
    hsv_color hsv = HSVfromRGB({1, 0.5f, std::nextafter(0.5f, 1.0f)});
    EXPECT_LT(hsv.hue, 360);
    EXPECT_GE(hsv.hue, 0);
    EXPECT_LT(hue(UIColor::colorWithRed(1, 0.5f, std::nextafter(0.5f, 1.0f), 1)), 1);
    // Nonsense components give nonsense, not a crash.
    HSVfromRGB({NAN, 0, 1});
    HSVfromRGB({INFINITY, 1, 0});
}

TEST(UIColorHSV, DifferencesInFloatProductAndSumInDoubleTurnInFloat) {
    // Each of these bytes gives a hue one float step away when the product
    // with 60 and the sum are made in float, or when 360 is added in double.
    auto hueOf = [](int r, int g, int b) { return HSVfromRGB({r / 255.0f, g / 255.0f, b / 255.0f}).hue; };
    EXPECT_EQ(hueOf(3, 3, 1), 60.0f);                // red, tied with green
    EXPECT_EQ(hueOf(9, 2, 3), 0x1.5f6db8p+8f);       // red, below 0 and turned
    EXPECT_EQ(hueOf(0, 7, 3), 0x1.236db6p+7f);       // green
    EXPECT_EQ(hueOf(0, 3, 7), 0x1.ac924ap+7f);       // blue
}

TEST(UIColorHSV, AgreesWithPythonsColorsysBothWays) {
    std::mt19937 generator(20240601);
    std::uniform_real_distribution<float> unit(0, 1);
    std::vector<rgb_color> colours;
    std::vector<hsv_color> hsvs;
    std::string input;
    char line[160];
    for (int i = 0; i < 3000; ++i) {
        rgb_color c{unit(generator), unit(generator), unit(generator)};
        // Some exact ties and greys as well.
        if (i % 10 == 1) c.green = c.red;
        if (i % 10 == 2) c.blue = c.green;
        if (i % 10 == 3) c.green = c.blue = c.red;
        hsv_color h{unit(generator), unit(generator), unit(generator)};
        colours.push_back(c);
        hsvs.push_back(h);
        std::snprintf(line, sizeof line, "%.9g %.9g %.9g %.9g %.9g %.9g\n", c.red, c.green, c.blue, h.hue,
                      h.saturation, h.value);
        input += line;
    }
    const std::string script =
        "import colorsys, sys\n"
        "for line in open(sys.argv[1]):\n"
        "    r, g, b, h, s, v = map(float, line.split())\n"
        "    print('%.17g %.17g %.17g' % colorsys.rgb_to_hsv(r, g, b),\n"
        "          '%.17g %.17g %.17g' % colorsys.hsv_to_rgb(h, s, v))\n";
    auto rows = runPython(script, input);
    ASSERT_EQ(rows.size(), colours.size()) << "python3 did not answer";
    int hsvMismatches = 0, rgbMismatches = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 6u);
        hsv_color ours = HSVfromRGB(colours[i]);
        if (hueDistance(ours.hue / 360.0, rows[i][0]) > 1e-5 || std::fabs(ours.saturation - rows[i][1]) > 1e-5 ||
            std::fabs(ours.value - rows[i][2]) > 1e-6) {
            if (++hsvMismatches < 5)
                ADD_FAILURE() << "HSVfromRGB " << colours[i].red << " " << colours[i].green << " " << colours[i].blue;
        }
        auto made = UIColor::colorWithHue(hsvs[i].hue, hsvs[i].saturation, hsvs[i].value, 1);
        const CGFloat* c = CGColorGetComponents(made->CGColor());
        for (int k = 0; k < 3; ++k)
            if (std::fabs(c[k] - rows[i][3 + k]) > 1e-6 && ++rgbMismatches < 5)
                ADD_FAILURE() << "colorWithHue " << hsvs[i].hue << " " << hsvs[i].saturation << " " << hsvs[i].value;
    }
    EXPECT_EQ(hsvMismatches, 0);
    EXPECT_EQ(rgbMismatches, 0);
}

TEST(UIColorHSV, RoundTripThroughColorWithHueGivesTheRGBBack) {
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> unit(0, 1);
    for (int i = 0; i < 2000; ++i) {
        auto original = UIColor::colorWithRed(unit(generator), unit(generator), unit(generator), 1);
        auto again = UIColor::colorWithHue(hue(original), saturation(original), brightness(original), 1);
        for (int k = 0; k < 3; ++k)
            ASSERT_NEAR(CGColorGetComponents(again->CGColor())[k], CGColorGetComponents(original->CGColor())[k], 2e-6);
    }
}
