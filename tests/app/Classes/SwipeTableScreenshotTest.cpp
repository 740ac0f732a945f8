// The swipe-tracking table of account cells on a small screen, driven by a
// touch script on the virtual clock and photographed by the host's screen
// capture: an open row with its quick-colour strip, and a row in the middle
// of its bounce. The pictures are checked at a few pixels.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Device/ScriptPlayer.h"
#include "Device/TouchScript.h"
#include "UIKit/UILabel.h"
#include "app/Classes/SwipeTableFixture.h"

namespace {

struct Pixel {
    int r, g, b;
    int luminance() const { return (r * 299 + g * 587 + b * 114) / 1000; }
};

class Picture {
public:
    explicit Picture(const std::filesystem::path& path) : image_(cairo_image_surface_create_from_png(path.c_str())) {
        cairo_surface_flush(image_);
    }
    ~Picture() { cairo_surface_destroy(image_); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool ok() const { return cairo_surface_status(image_) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(image_); }
    int height() const { return cairo_image_surface_get_height(image_); }
    // The screen is opaque, so no alpha to undo.
    Pixel at(int x, int y) const {
        auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image_) +
                                                      y * cairo_image_surface_get_stride(image_));
        uint32_t v = row[x];
        return {int(v >> 16 & 0xff), int(v >> 8 & 0xff), int(v & 0xff)};
    }
    // Mean luminance of the pixels x0..x1 (inclusive) of row y.
    double rowLuminance(int y, int x0, int x1) const {
        double sum = 0;
        for (int x = x0; x <= x1; ++x) sum += at(x, y).luminance();
        return sum / (x1 - x0 + 1);
    }
    // The first column from the left, within rows y0..y1, with a dark
    // pixel; -1 when none.
    int firstDarkColumn(int y0, int y1) const {
        for (int x = 0; x < width(); ++x) {
            for (int y = y0; y <= y1; ++y) {
                if (at(x, y).luminance() < 96) return x;
            }
        }
        return -1;
    }

private:
    cairo_surface_t* image_;
};

class SwipeTableScreenshotTest : public SwipeTableFixture {
protected:
    // Three rows' worth of screen.
    static constexpr CGFloat kScreenHeight = 3 * SwipeRows::kRowHeight;

    void SetUp() override {
        SwipeTableFixture::SetUp();
        window->setFrame(CGRectMake(0, 0, 320, kScreenHeight));
        table->setFrame(window->bounds());
        window->layoutIfNeeded();
        Clock::advance(0);
        shots = std::filesystem::temp_directory_path() / ("korvel-swipe-shots-" + std::to_string(::getpid()));
        std::filesystem::create_directories(shots);
    }
    void TearDown() override {
        std::filesystem::remove_all(shots);
        SwipeTableFixture::TearDown();
    }

    // Plays a script as the headless host does; "$" in it stands for the
    // folder of the pictures.
    void play(std::string text) {
        for (std::size_t at; (at = text.find('$')) != std::string::npos;) text.replace(at, 1, shots.string());
        std::string error;
        std::optional<TouchScript> script = TouchScript::parse(text, "swipe.script", error);
        ASSERT_TRUE(script) << error;
        ScriptPlayer player("swipe.script");
        for (const auto& command : script->commands()) ASSERT_TRUE(player.play(command, error)) << error;
    }

    std::filesystem::path shots;
};

}  // namespace

TEST_F(SwipeTableScreenshotTest, AnOpenRowShowsItsShadowedBackAndTheQuickColourStrip) {
    play("# open the middle row with a swipe and let the reveal finish\n"
         "down 100 91\nmove 130 91\nup\nwait 0.2\nshot $/open.png\n");
    ASSERT_EQ(visibleBackViewRow(), 1);
    Picture open(shots / "open.png");
    ASSERT_TRUE(open.ok());
    ASSERT_EQ(open.width(), 320);
    ASSERT_EQ(open.height(), int(kScreenHeight));

    // Row 1 spans y 61 to 122, its back face the first 60 points of it.
    // Between buttons 1 and 2 (x 62 to 78) the back face shows: its top
    // shadow is darkest at the top edge and gone 10 points below; the
    // bottom shadow darkens its last line likewise.
    const int top = 61;
    EXPECT_LT(open.rowLuminance(top, 62, 78), 0.85 * open.rowLuminance(top + 10, 62, 78));
    EXPECT_LT(open.rowLuminance(top + 59, 62, 78), 0.85 * open.rowLuminance(top + 49, 62, 78));

    // The buttons carry their colours: 1 blue, 2 red, 4 yellow, 5 purple;
    // button 6 starts past the screen's edge at x 320.
    auto is = [](Pixel p, int r, int g, int b) { return p.r == r && p.g == g && p.b == b; };
    Pixel one = open.at(40, top + 30), two = open.at(100, top + 30), four = open.at(220, top + 30),
          five = open.at(280, top + 30);
    EXPECT_TRUE(is(one, 0, 0, 255)) << one.r << "," << one.g << "," << one.b;
    EXPECT_TRUE(is(two, 255, 0, 0));
    EXPECT_TRUE(is(four, 255, 255, 0));
    EXPECT_TRUE(std::abs(five.r - 128) <= 1 && five.g == 0 && std::abs(five.b - 128) <= 1);
    // Above and below the buttons (8 points of margin) is the back face.
    EXPECT_FALSE(is(open.at(40, top + 4), 0, 0, 255));
    // The rows around it show their white faces.
    EXPECT_TRUE(is(open.at(300, 30), 255, 255, 255));
    EXPECT_TRUE(is(open.at(300, 150), 255, 255, 255));
}

TEST_F(SwipeTableScreenshotTest, ARowInMidBounceShowsItsFrontFaceDisplaced) {
    // Only the front face's title inks row 0, so its place shows where the
    // front face is.
    auto* row0 = objc::cast<ExampleCell>(cell(0));
    ASSERT_TRUE(row0);
    row0->textLabel()->setHidden(true);
    row0->setText("MMMM"_ns);
    // A touch on row 1 hides the open row 0; 0.13 s later its front face is
    // at the far left of its bounce (x = -20), at 0.17 s at the far right
    // (x = 15).
    play("down 100 30\nmove 130 30\nup\nwait 0.2\n"
         "down 100 91\nwait 0.13\nshot $/left.png\nwait 0.04\nshot $/right.png\nup\nwait 0.3\nshot $/rest.png\n");
    Picture left(shots / "left.png"), right(shots / "right.png"), rest(shots / "rest.png");
    ASSERT_TRUE(left.ok() && right.ok() && rest.ok());
    const int atRest = rest.firstDarkColumn(10, 50);
    ASSERT_GT(atRest, 40);
    EXPECT_NEAR(left.firstDarkColumn(10, 50), atRest - 20, 1);
    EXPECT_NEAR(right.firstDarkColumn(10, 50), atRest + 15, 1);
    // Mid-bounce the back face has faded: no quick-colour button shows.
    Pixel p = left.at(40, 30);
    EXPECT_FALSE(p.r == 0 && p.g == 0 && p.b == 255);
}
