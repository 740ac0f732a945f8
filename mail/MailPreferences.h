// Mail's own preferences, read from the device folder afresh when asked.
#pragma once

class MailPreferences {
public:
    static constexpr const char* kPath = "/var/mobile/Library/Preferences/com.apple.mobilemail.plist";
    static constexpr const char* kBundleIdentifier = "com.apple.mobilemail";

    // "LinesOfPreview": 2 when absent or not a number or text.
    static int previewLines();
};
