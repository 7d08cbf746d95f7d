#pragma once
// The main window's fixed measures in device-independent pixels, which the
// window's layout and the build-time rendering of its pictures share.
namespace tongshu::shell::measures {

// 800 x 600 outside, as a window with a sizeable frame and a caption has it.
inline constexpr int kClientWidth = 792;
inline constexpr int kClientHeight = 566;
inline constexpr int kMenuBarHeight = 22;
inline constexpr int kBannerHeight = 81;
inline constexpr int kLeftColumnWidth = 186;
inline constexpr int kButtonRowHeight = 28;
inline constexpr int kStatusBarHeight = 20;

// The centre picture's area while the window has its starting size.
inline constexpr int kCentreWidth = kClientWidth - kLeftColumnWidth;
inline constexpr int kCentreHeight =
    kClientHeight - kMenuBarHeight - kBannerHeight - kButtonRowHeight - kStatusBarHeight;

}  // namespace tongshu::shell::measures
